#!/usr/bin/env bash
# scripts/lib/score_server.sh as scripts/play uses it: a server is started when
# nothing answers at the game's address, none when one does, and it is stopped.
# Usage: score_server_script_test.sh REPO_ROOT BUILD_DIR
set -euo pipefail
repo="$1" build="$2"
home="$(mktemp -d /tmp/coilrun-script-test.XXXXXX)"
started=""
cleanup() {
    [[ -n "$started" ]] && kill -KILL "$started" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_STATE_HOME="$home/.local/state"
fail() { echo "FAIL: $*" >&2; exit 1; }
answers() { curl --silent --fail --output /dev/null --max-time 2 "$COILRUN_SCORE_SERVER/Coilrun/data/view.php"; }

# A loopback port where nothing answers.
for _ in $(seq 50); do
    export COILRUN_SCORE_SERVER="http://127.0.0.1:$((20000 + RANDOM % 40000))"
    answers || break
done
answers && fail "no free port found"

source "$repo/scripts/lib/score_server.sh"
started="$(ensure_score_server "$build")"
[[ "$started" =~ ^[0-9]+$ ]] || fail "ensure_score_server printed '$started', not a PID"
kill -0 "$started" || fail "the server it started is not running"
answers || fail "the server it started does not answer"
title="$(curl --silent "$COILRUN_SCORE_SERVER/Coilrun/data/view.php" | grep -o '<title>.*</title>')"
[[ "$title" == "<title>+</title>" ]] || fail "a new store's score list is $title"
[[ -f "$XDG_DATA_HOME/Coilrun/coilrun-scored/scores.sqlite" ]] ||
    fail "the store is not in the user's data folder"

second="$(ensure_score_server "$build")"
[[ -z "$second" ]] || fail "a second server was started ($second) though one answers"

stop_score_server "$started"
kill -0 "$started" 2>/dev/null && fail "the server still runs after stop_score_server"
answers && fail "something still answers after stop_score_server"
started=""
echo "score_server.sh: 1 passed, 0 failed"

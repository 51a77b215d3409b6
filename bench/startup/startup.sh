#!/usr/bin/env bash
# How soon the real program shows something after launch: the time from launch
# to the splash window's first painted frame (its picture and "Loading...") and
# to the first frame of the menu scene in the game window, for each of several
# launches and their median. The program writes when those happened
# (COILRUN_TRACE_STARTUP); the launch time is taken just before it is started.
# Every launch is a player's launch on the same desktop (bench/lib/desktop_session.sh):
# the first one finds the web engine's caches empty, the later ones do not.
#
#     bench/startup/startup.sh [build dir, default build] [launches, default 3] [WxH, default 1280x720]
#
# Prints the figures; never fails on a slow machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
launches="${2:-3}"
size="${3:-1280x720}"
[[ -x "$build/coilrun" ]] || { echo "startup.sh: no $build/coilrun" >&2; exit 1; }
source "$root/bench/lib/desktop_session.sh"

desktop_start "$size"
desktop_score_server "$build"

now() { date +%s.%N; }
since() { { grep -m1 "coilrun startup: $1 " "$work/game.log" || true; } | awk -v t0="$2" '{ printf "%.3f", $NF - t0 }'; }
splash=() menu=()
echo "coilrun launched $launches times at ${size/x/ x } ($(nproc) cores)"
for i in $(seq "$launches"); do
    load="$(cut -d' ' -f1-3 /proc/loadavg)"
    t0="$(now)"
    desktop_launch "$build" COILRUN_TRACE_STARTUP=1
    for _ in $(seq 600); do
        grep -q "coilrun startup: first GL view frame" "$work/game.log" && break
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    s="$(since "picture window painted" "$t0")" m="$(since "first GL view frame" "$t0")"
    desktop_stop_game
    echo "  launch $i (load $load): splash painted after ${s:-?} s, menu scene's first frame after ${m:-?} s"
    [[ -n "$s" ]] && splash+=("$s")
    [[ -n "$m" ]] && menu+=("$m")
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "?" }'; }
echo "median: splash painted after $(median "${splash[@]}") s, menu scene's first frame after $(median "${menu[@]}") s"

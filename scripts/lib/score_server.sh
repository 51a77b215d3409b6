#!/usr/bin/env bash
# Sourced by scripts/play: a score server for the session when none answers at
# the game's server address, so that a first run has a live score list.
#   ensure_score_server BUILD_DIR  prints the PID of a server it started in the
#                                  background, or nothing when one already
#                                  answers (or none can be started here).
#   stop_score_server PID          stops that server.
# The address is ${COILRUN_SCORE_SERVER:-http://127.0.0.1:8765}, as in the game.
# The scores are kept in the server's default database (the user's data folder),
# so they are still there on the next run.

_score_server_address() {
    local address="${COILRUN_SCORE_SERVER:-http://127.0.0.1:8765}"
    echo "${address%/}"
}

_score_server_answers() {
    curl --silent --fail --output /dev/null --max-time 2 "$1/Coilrun/data/view.php"
}

ensure_score_server() {
    local build_dir="$1"
    local address authority host port
    address="$(_score_server_address)"
    _score_server_answers "$address" && return 0

    # Only an address on this machine can be served from here.
    authority="${address#http://}"
    authority="${authority%%/*}"
    if [[ "$address" != http://* || -z "$authority" ]]; then
        echo "score server: $address does not answer and is not an http:// address;" \
             "playing without a score list" >&2
        return 0
    fi
    if [[ "$authority" =~ ^(\[[0-9a-fA-F:]+\]|[^:]+)(:([0-9]+))?$ ]]; then
        host="${BASH_REMATCH[1]}"
        port="${BASH_REMATCH[3]:-80}"
    else
        echo "score server: cannot read the address $address" >&2
        return 0
    fi
    case "$host" in
        127.*|localhost|"[::1]") ;;
        *)
            echo "score server: $address does not answer; it is not on this machine," \
                 "so none is started (playing without a score list)" >&2
            return 0 ;;
    esac
    local server="$build_dir/coilrun-scored"
    if [[ ! -x "$server" ]]; then
        echo "score server: $server is not built; playing without a score list" >&2
        return 0
    fi

    local log_dir="${XDG_STATE_HOME:-$HOME/.local/state}/coilrun"
    mkdir -p "$log_dir"
    local log="$log_dir/coilrun-scored.log"
    # Every stream away from the caller: this runs inside $(...), which would
    # otherwise wait for the server to close its output, that is, to end.
    "$server" --listen "$host:$port" </dev/null >>"$log" 2>&1 &
    local pid=$!
    local tries
    for tries in $(seq 100); do
        if _score_server_answers "$address"; then
            echo "score server: started for this session at $address (log $log)" >&2
            echo "$pid"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "score server: it did not come up at $address; see $log" >&2
    kill "$pid" 2>/dev/null || true
    return 0
}

stop_score_server() {
    local pid="$1"
    [[ -n "$pid" ]] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    local tries
    for tries in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

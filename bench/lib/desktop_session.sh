# A desktop for one run of the real program, as a player's session gives it:
# an X server (Xvfb, Mesa's software GL) of a chosen size, a PulseAudio server
# with a null sink at the default place in a throw-away runtime folder, and a
# score server at the game's default address (one is started when none
# answers). Sourced by the benchmarks that launch the program; they call
#     desktop_start WIDTHxHEIGHT     (sets $work, $display)
#     desktop_launch BUILD [VAR=VALUE...]   (starts the program, sets $game)
#     desktop_stop_game              (ends the program started last)
# and get everything stopped and removed on exit.
work="" display="" game=""
desktop_pids=()

desktop_cleanup() {
    local pid
    for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [[ -n "$work" ]] && rm -rf "$work"
    return 0
}
trap desktop_cleanup EXIT

desktop_start() {
    local size="$1" tool
    for tool in Xvfb pulseaudio pactl xdotool curl; do
        command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
    done
    work="$(mktemp -d /tmp/coilrun-bench.XXXXXX)"
    mkdir -p "$work/home" "$work/run" "$work/shots"
    chmod 700 "$work/run"

    # The X server names a free display on descriptor 3 once it takes clients.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    desktop_pids+=($!)
    for _ in $(seq 300); do [[ -s "$work/display" ]] && break; sleep 0.1; done
    [[ -s "$work/display" ]] || { echo "$0: Xvfb did not start" >&2; exit 1; }
    display=":$(head -n1 "$work/display")"

    env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --load="module-null-sink sink_name=bench_sink" \
        --load="module-native-protocol-unix auth-anonymous=1" >"$work/pulse.log" 2>&1 &
    desktop_pids+=($!)
    for _ in $(seq 100); do
        env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
            pactl list short sinks 2>/dev/null | grep -q bench_sink && break
        sleep 0.2
    done
}

desktop_score_server() {
    local build="$1"
    curl --silent --fail --output /dev/null --max-time 2 \
        http://127.0.0.1:8765/Coilrun/data/view.php && return 0
    HOME="$work/home" "$build/coilrun-scored" --listen 127.0.0.1:8765 \
        --db "$work/scores.sqlite" </dev/null >"$work/scored.log" 2>&1 &
    desktop_pids+=($!)
    for _ in $(seq 100); do
        curl --silent --fail --output /dev/null --max-time 2 \
            http://127.0.0.1:8765/Coilrun/data/view.php && return 0
        sleep 0.1
    done
}

# With DISPLAY, HOME and XDG_RUNTIME_DIR only, no other variable, not even the
# ones the tests set for Mesa; run as root it also gets
# QTWEBENGINE_DISABLE_SANDBOX=1, without which the web view's helper refuses to
# run as root and takes the program down at start. Extra VAR=VALUE words are
# passed on. Its output goes to $work/game.log.
desktop_launch() {
    local build="$1"; shift
    local as_root=()
    (($(id -u) == 0)) && as_root=(QTWEBENGINE_DISABLE_SANDBOX=1)
    env -i PATH="$PATH" DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        "${as_root[@]}" "$@" "$build/coilrun" </dev/null >"$work/game.log" 2>&1 &
    game=$!
    desktop_pids+=($game)
}

desktop_stop_game() {
    [[ -n "$game" ]] || return 0
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    game=""
}

# Resident memory of the program now: its peak and present RSS, what of it
# belongs to the web engine's own files (its libraries, resource packs and ICU
# data), Mesa's GL driver, other files and anonymous memory; and the
# proportional share (PSS) of the web engine's helper processes.
desktop_memory() {
    local name="$1" pid="$game" children="" c
    for c in $(ls /proc | grep -E '^[0-9]+$'); do
        [[ -r /proc/$c/stat ]] || continue
        [[ "$(awk '{ print $4 }' "/proc/$c/stat" 2>/dev/null)" == "$pid" ]] && children+=" $c"
    done
    local helpers=0 kb
    for c in $children; do
        kb="$(awk '/^Pss:/ { print $2 }' "/proc/$c/smaps_rollup" 2>/dev/null || echo 0)"
        helpers=$((helpers + ${kb:-0}))
        for g in $(ls /proc | grep -E '^[0-9]+$'); do
            [[ "$(awk '{ print $4 }' "/proc/$g/stat" 2>/dev/null)" == "$c" ]] || continue
            kb="$(awk '/^Pss:/ { print $2 }' "/proc/$g/smaps_rollup" 2>/dev/null || echo 0)"
            helpers=$((helpers + ${kb:-0}))
        done
    done
    awk -v name="$name" -v helpers="$helpers" \
        -v hwm="$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")" \
        -v rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")" '
        /^[0-9a-f]+-[0-9a-f]+ / { path = (NF >= 6) ? $6 : ""
            if (path ~ /WebEngine|webengine|\.pak$|icudtl/) kind = "web"
            else if (path ~ /\/dri\/|libLLVM|libgallium|libGLX_mesa|libglapi|libEGL_mesa/) kind = "gl"
            else if (path ~ /^\//) kind = "file"
            else kind = "anon"
            next }
        /^Rss:/ { sum[kind] += $2 }
        END {
            printf "%s: peak RSS %.1f MB, now %.1f MB: web engine files %.1f MB, GL driver %.1f MB,", name, hwm / 1024, rss / 1024, sum["web"] / 1024, sum["gl"] / 1024
            printf " other files %.1f MB, anonymous %.1f MB; web engine helper processes %.1f MB (PSS)\n", sum["file"] / 1024, sum["anon"] / 1024, helpers / 1024 }' \
        "/proc/$pid/smaps"
}

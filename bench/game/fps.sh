#!/usr/bin/env bash
# Frames per second, CPU time per frame and resident memory of the real program
# on an X server of 1280 x 720 or another size (Xvfb, Mesa's software GL):
#   (a) the menu scene, once the main menu is up;
#   (b) level 1 in play, after Space, once its light intro is over;
#   (c) the first second of play after the level set-up, when the game restarts
#       its wave output every frame.
# The frame rate is the one the game writes in its caption once a second
# ("... fps = N"); the CPU time is the process's own (user + system, all its
# threads, Mesa's included) from /proc/<pid>/stat over the same interval.
#
# The resident memory is read at the end of (a) and of (b).
#
#     bench/game/fps.sh [build dir, default build] [seconds per measurement, default 10] [WxH, default 1280x720]
#
# With FPS_LEVEL=N the throw-away home holds a settings file with level N
# unlocked, so (b) and (c) measure level N instead (Space plays the highest
# level unlocked). With FPS_PERF=FILE, `perf record -g` then samples the program
# in play for 6 s into FILE (`perf report -i FILE --sort comm,dso` shows whose
# threads the time goes to).
#
# The program is started as a desktop would start it (bench/lib/desktop_session.sh),
# with a throw-away home, so it starts at level 1. Prints the figures; never
# fails on a slow machine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
seconds="${2:-10}"
size="${3:-1280x720}"
for tool in import convert tesseract; do
    command -v "$tool" >/dev/null || { echo "fps.sh: $tool is missing" >&2; exit 1; }
done
[[ -x "$build/coilrun" ]] || { echo "fps.sh: no $build/coilrun" >&2; exit 1; }
source "$root/bench/lib/desktop_session.sh"

desktop_start "$size"
level="${FPS_LEVEL:-1}"
[[ "$level" =~ ^[1-9][0-9]*$ ]] || { echo "fps.sh: FPS_LEVEL is a level number" >&2; exit 2; }
if ((level > 1)); then
    mkdir -p "$work/home/.config/Quorvex"
    printf '[General]\nlevel=%d\n' "$level" >"$work/home/.config/Quorvex/Coilrun.conf"
fi
desktop_score_server "$build"
(($(id -u) == 0)) && echo "(running as root: the program gets QTWEBENGINE_DISABLE_SANDBOX=1)"
desktop_launch "$build"

x() { DISPLAY="$display" "$@"; }
# The game window: the one whose caption carries the status line.
window=""
find_window() {
    local id
    for id in $(x xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        if x xdotool getwindowname "$id" 2>/dev/null | grep -q 'fps = '; then
            window="$id"
            return 0
        fi
    done
    return 1
}
caption() { x xdotool getwindowname "$window" 2>/dev/null || true; }
cpu_ticks() { sed 's/^.*) //' "/proc/$game/stat" | awk '{ print $12 + $13 }'; }
now() { date +%s.%N; }
reads() { # reads GREP-ARGS: whether the screen shows it (OCR)
    x import -window root "$work/shots/s.png" 2>/dev/null || return 1
    convert "$work/shots/s.png" -threshold 60% -negate "$work/shots/t.png"
    tesseract "$work/shots/t.png" - --psm 11 2>/dev/null | grep -qi "$@"
}
# Logs "time cpu-ticks caption" every 0.1 s for the given seconds, or until the
# caption has read "light = 7" three updates running (with "settle").
sample() {
    local until=$(($(date +%s) + $1)) mode="${2:-}" last="" sevens=0 c
    while (($(date +%s) < until)); do
        c="$(caption)"
        echo "$(now) $(cpu_ticks) $c"
        if [[ "$mode" == settle && "$c" != "$last" ]]; then
            if [[ "$c" == *"light = 7 "* ]]; then sevens=$((sevens + 1)); else sevens=0; fi
            ((sevens >= 3)) && return 0
        fi
        last="$c"
        sleep 0.1
    done
}
# From a sample log: the caption updates in it, as "seconds-since-last cpu-seconds fps light".
updates() {
    awk -v hz="$(getconf CLK_TCK)" '
        { t = $1; cpu = $2; $1 = ""; $2 = ""; c = $0
          if (c != last && seen) {
              fps = c; sub(/.*fps = /, "", fps); light = c; sub(/.*light = /, "", light); sub(/ .*/, "", light)
              printf "%.3f %.3f %s %s\n", t - lt, (cpu - lcpu) / hz, fps + 0, light + 0 }
          if (c != last) { lt = t; lcpu = cpu; last = c; seen = 1 } }' "$1"
}
# Summary of a steady interval: the frame rates of the caption updates in it, and
# the CPU time over the whole interval.
report() {
    local name="$1" log="$2" span cpu
    span="$(awk 'NR == 1 { a = $1 } { b = $1 } END { printf "%.3f", b - a }' "$log")"
    cpu="$(awk -v hz="$(getconf CLK_TCK)" 'NR == 1 { a = $2 } { b = $2 } END { printf "%.3f", (b - a) / hz }' "$log")"
    updates "$log" | awk -v name="$name" -v span="$span" -v cpu="$cpu" '
        { n++; f = $3; sum += f; if (n == 1 || f < lo) lo = f; if (n == 1 || f > hi) hi = f }
        END {
            if (n == 0) { printf "%s: no caption update in %.1f s\n", name, span; exit }
            mean = sum / n
            printf "%s: %.1f fps (caption, %d updates, %.1f .. %.1f), frame time %.1f ms;", name, mean, n, lo, hi, 1000 / mean
            printf " CPU %.0f %% of a core, %.1f ms per frame (%.2f s over %.1f s)\n", 100 * cpu / span, 1000 * cpu / (mean * span), cpu, span }'
}

for _ in $(seq 600); do
    find_window && break
    kill -0 "$game" 2>/dev/null || { echo "fps.sh: the program ended; its output:" >&2; tail -n 20 "$work/game.log" >&2; exit 1; }
    sleep 0.3
done
[[ -n "$window" ]] || { echo "fps.sh: the game window never showed its status line" >&2; exit 1; }
menu_up=""
for _ in $(seq 120); do
    if reads -E "LEVEL|CHOOSE|CREDITS"; then menu_up=1; break; fi
    sleep 1
done
[[ -n "$menu_up" ]] || echo "fps.sh: the main menu was not read on screen; measuring anyway" >&2
reads "LEVEL $level" || echo "fps.sh: the main menu does not read LEVEL $level; measuring anyway" >&2
find_window

echo "coilrun at ${size/x/ x } on $(x xdpyinfo 2>/dev/null | awk '/^vendor string/ { $1 = $2 = ""; print }' | sed 's/^ *//') ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
sample "$seconds" >"$work/menu.log"
report "(a) menu scene" "$work/menu.log"
desktop_memory "(a) memory in the menu"

x xdotool windowfocus --sync "$window"
x xdotool keydown space
sleep 0.3
x xdotool keyup space
sample 180 settle >"$work/start.log" || true
sleep 2
find_window
sample "$seconds" >"$work/play.log"
if [[ -n "${FPS_PERF:-}" ]]; then
    perf record -F 999 -g -p "$game" -o "$FPS_PERF" -- sleep 6 >/dev/null 2>&1 ||
        echo "fps.sh: perf could not record the program" >&2
fi
report "(b) level $level in play" "$work/play.log"
desktop_memory "(b) memory in play"

# The first caption update after Space whose light differs from the menu's is the
# first one that covers frames of the level (the caption is written once a second).
updates "$work/start.log" >"$work/start.updates"
menu_light="$(head -n1 "$work/start.updates" | awk '{ print $4 }')"
awk -v menu="$menu_light" '
    !found && $4 != menu { found = 1
        printf "(c) first second after the level set-up: %.1f fps, frame time %.0f ms;", $3, ($3 > 0 ? 1000 / $3 : 0)
        printf " CPU %.0f %% of a core, %.1f ms per frame (%.2f s over %.2f s)\n", 100 * $2 / $1, ($3 > 0 ? 1000 * $2 / ($3 * $1) : 0), $2, $1 }
    END { if (!found) print "(c) no caption update of the level was seen" }' "$work/start.updates"
echo "    captions from Space on (seconds, CPU seconds, fps, light):"
sed 's/^/      /' "$work/start.updates"

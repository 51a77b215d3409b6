#!/usr/bin/env bash
# Plays the real program for MINUTES minutes and watches its resident memory:
#
#     bench/soak/play.sh MINUTES [build dir, default build]
#
# The Release program runs as in the tests: its own Xvfb (Mesa's software GL), a
# PulseAudio null sink (scripts/lib/test_env.sh) and the reference score server on
# a free loopback port with a fresh database. Keys are held for 0.1 s, as a finger
# holds them: Space starts the game from the menu; in each round the snake is
# steered at random, paused with Esc and resumed with Space, muted and unmuted
# with m, then left to run straight out of the cube, and Space restarts the level.
# In the first round and then every 3 minutes (SOAK_QUIT_EVERY seconds) the
# player pauses, clicks Quit on the pause menu, waits for the run report's page in
# the score browser and clicks its "Back to the game" (both found on the screen
# with OCR), and resumes.
#
# Every 10 s it samples VmRSS of the game's own process and, apart, the sum over
# the web engine's helper processes (its descendants), which the game's figure
# does not count. At the end it prints the samples and a verdict: from the first
# sample after the first minute (and half a minute after the first quit, so that
# the score browser's first page, built once, is not counted as growth) to the
# last, the game's resident memory grows by less than 5 MB (MiB, as /proc counts
# kB); and the game still answers (its caption, rewritten every second, still
# changes and shows frames drawn, and Esc still pauses the game). Exits 1 when
# the verdict fails.
#
# The game steps 0.01 s of play per frame, so on a slow or busy machine a round
# holds less play; the figures and the verdict do not depend on it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
minutes="${1:?usage: bench/soak/play.sh MINUTES [build dir]}"
build="$(cd "${2:-$root/build}" && pwd)"
if ! [[ "$minutes" =~ ^[0-9]+$ ]] || ((minutes < 2)); then
    echo "play.sh: MINUTES is a whole number, at least 2" >&2
    exit 2
fi
for tool in Xvfb pulseaudio xdotool import convert tesseract; do
    command -v "$tool" >/dev/null || { echo "play.sh: $tool is missing" >&2; exit 1; }
done
for program in coilrun coilrun-scored; do
    [[ -x "$build/$program" ]] || { echo "play.sh: no $build/$program" >&2; exit 1; }
done

source "$root/scripts/lib/test_env.sh"
start_test_env >/dev/null
work="$test_env_dir"
mkdir -p "$work/shots"
server="" game="" sampler=""
cleanup() {
    local pid
    for pid in "$sampler" "$game" "$server"; do
        [[ -n "$pid" ]] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    stop_test_env
}
trap cleanup EXIT

"$build/coilrun-scored" --listen 127.0.0.1:0 --db "$work/scores.sqlite" \
    </dev/null >"$work/scored.out" 2>"$work/scored.log" &
server=$!
address=""
for _ in $(seq 100); do
    address="$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$work/scored.out" 2>/dev/null || true)"
    [[ -n "$address" ]] && break
    sleep 0.1
done
[[ -n "$address" ]] || { echo "play.sh: the score server did not start" >&2; exit 1; }

COILRUN_SCORE_SERVER="$address" "$build/coilrun" </dev/null >"$work/game.log" 2>&1 &
game=$!
start=$(date +%s)

alive() { kill -0 "$game" 2>/dev/null; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
descendants() {
    local child
    for child in $(pgrep -P "$1" || true); do
        echo "$child"
        descendants "$child"
    done
}
# Every 10 s: seconds since start, the game's VmRSS, the helpers' VmRSS and count (kB).
sample_memory() {
    local next=$start t helpers count p
    while alive; do
        t=$(($(date +%s) - start))
        helpers=0 count=0
        for p in $(descendants "$game"); do
            helpers=$((helpers + $(rss_kb "$p"))) count=$((count + 1))
        done
        echo "$t $(rss_kb "$game") $helpers $count" >>"$work/samples"
        next=$((next + 10))
        sleep $((next - $(date +%s) > 0 ? next - $(date +%s) : 0))
    done
}
sample_memory &
sampler=$!

window=""
find_window() { # the game window: the one whose caption carries the status line
    local id
    for id in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        if xdotool getwindowname "$id" 2>/dev/null | grep -q 'fps = '; then
            window="$id"
            return 0
        fi
    done
    return 1
}
caption() { xdotool getwindowname "$window" 2>/dev/null || true; }
focus() { xdotool windowfocus --sync "$window" 2>/dev/null || true; }
tap() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
}
# The centre "X Y" of the first word read on the screen that matches an awk pattern.
find_word() {
    import -window root "$work/shots/screen.png" 2>/dev/null || return 1
    convert "$work/shots/screen.png" -threshold 60% -negate "$work/shots/ocr.png"
    tesseract "$work/shots/ocr.png" - --psm 11 tsv 2>/dev/null |
        awk -F'\t' -v word="$1" 'NR > 1 && $12 ~ word {
            printf "%d %d\n", $7 + $9 / 2, $8 + $10 / 2; found = 1; exit }
            END { exit !found }'
}
wait_for_word() { # word seconds: the word's centre once it is read on the screen
    local until=$(($(date +%s) + $2)) at
    while (($(date +%s) < until)); do
        at="$(find_word "$1")" && { echo "$at"; return 0; }
        sleep 1
    done
    return 1
}
click() {
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool mousemove "$(($1 + 1))" "$2" # selection follows motion
    sleep 0.3
    xdotool click 1
}
event() {
    printf '  %4d s  %s\n' "$(($(date +%s) - start))" "$*"
}

for _ in $(seq 600); do
    find_window && break
    alive || { echo "play.sh: the program ended; its output:" >&2; tail -n 20 "$work/game.log" >&2; exit 1; }
    sleep 0.3
done
[[ -n "$window" ]] || { echo "play.sh: the game window never showed its status line" >&2; exit 1; }
echo "coilrun soak: $minutes minutes on $DISPLAY ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)), score server $address"
wait_for_word 'CHOOSE|CREDITS' 120 >/dev/null || echo "play.sh: the main menu was not read on screen; playing anyway" >&2
focus
tap space
event "Space on the menu: the game starts"

# The start of every round: the level title and the light intro pass, the first
# arrow key sets the snake going from the centre, and Esc pauses it at once (a
# cell or so from the centre, so never on the level-over screen, where Esc quits).
start_and_pause() {
    focus
    sleep 5
    tap Right
    sleep 0.5
    tap Escape
    sleep 2
}
# The end of every round: straight on and out of the cube, and Space restarts.
die_and_restart() {
    tap Up
    sleep 8
    tap space
}
browser_shown() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "Coilrun - "* ]] && return 0
    done
    return 1
}
# Pauses the game, making sure of it on the screen: a slow frame can miss a key,
# and a level still in its title or intro does not pause yet.
pause_game() {
    for _ in $(seq 10); do
        find_word 'Paused' >/dev/null && return 0
        focus
        tap Right
        sleep 0.5
        tap Escape
        sleep 2
    done
    return 1
}
# Quit on the pause menu, the run report's page, "Back to the game", Space.
quit_and_back() {
    local at
    pause_game || { event "the game did not pause"; return 1; }
    at="$(wait_for_word '^Quit$' 30)" || { event "no pause menu with Quit was read"; return 1; }
    # shellcheck disable=SC2086
    click $at
    at="$(wait_for_word '^Back$' 90)" || { event "no score browser page with its link was read"; return 1; }
    event "Quit on the pause menu: the score browser shows the run report's page"
    # shellcheck disable=SC2086
    click $at
    for _ in $(seq 120); do
        browser_shown || break
        sleep 0.5
    done
    browser_shown && { event "the score browser stayed after \"Back to the game\""; return 1; }
    sleep 2
    find_window || true
    focus
    tap space
    event "\"Back to the game\", then Space: playing again"
}

steering=(Left Right Up Down w a s d plus minus)
end=$((start + minutes * 60))
quit_every=${SOAK_QUIT_EVERY:-180} # seconds between two quits
# The first round quits and goes back too, so that what the program builds once
# (the score browser's first page above all) is built before memory is compared.
next_quit=$start
rounds=0 quits=0 warm=""
while alive && (($(date +%s) < end)); do
    rounds=$((rounds + 1))
    start_and_pause
    if (($(date +%s) >= next_quit)) && (($(date +%s) + 60 < end)); then
        quit_and_back && quits=$((quits + 1))
        next_quit=$(($(date +%s) + quit_every))
        [[ -n "$warm" ]] || warm=$(($(date +%s) - start))
    else
        tap space
        for _ in $(seq 10); do
            sleep 0.3
            tap "${steering[RANDOM % ${#steering[@]}]}"
        done
        tap m
        sleep 1
        tap m
        ((rounds % 5 == 1)) && event "round $rounds: Right, Esc, Space, steering, m, m, out of the cube, Space"
    fi
    die_and_restart
done
alive || { echo "play.sh: the program ended during play; its output:" >&2; tail -n 20 "$work/game.log" >&2; exit 1; }

# Does it still answer? Two captions a few seconds apart, and Esc still pauses.
find_window || true
focus
sleep 5 # the level title and the light intro of the last restart
first="$(caption)"
sleep 3
second="$(caption)"
fps="$(sed -n 's/.*fps = \([0-9.]*\).*/\1/p' <<<"$second")"
answers=1
[[ "$first" != "$second" ]] || { answers=0; echo "the caption did not change in 3 s: \"$second\""; }
awk -v f="${fps:-0}" 'BEGIN { exit !(f > 0) }' || { answers=0; echo "no frames drawn: \"$second\""; }
if pause_game; then
    echo "Esc paused the game (\"Game Paused\" read on the screen)"
else
    answers=0
    echo "Esc did not show \"Game Paused\""
fi
kill "$sampler" 2>/dev/null || true
wait "$sampler" 2>/dev/null || true
sampler=""

echo "$rounds rounds, $quits quits and back; memory every 10 s (kB; the web engine's helper processes apart):"
awk '{ printf "  %5d s  game %7d   helpers %7d (%d processes)\n", $1, $2, $3, $4 }' "$work/samples"
# The baseline: the first sample after the first minute, and half a minute after
# the first quit (the score browser's page takes its memory some seconds later).
awk -v answers="$answers" -v from="$((warm + 30 > 60 ? warm + 30 : 60))" '
    $1 >= from && !base { base = $2; baseT = $1 }
    { last = $2; lastT = $1; helpers = $3; if ($1 >= from && $2 > peak) peak = $2 }
    END {
        growth = (last - base) / 1024
        printf "game: %.1f MB at %d s, %.1f MB at %d s (peak %.1f MB): %+.1f MB;",
               base / 1024, baseT, last / 1024, lastT, peak / 1024, growth
        printf " helpers at the end %.1f MB\n", helpers / 1024
        ok = growth < 5 && answers
        printf "verdict: %s (growth %s 5 MB, the game %s)\n", ok ? "PASS" : "FAIL",
               growth < 5 ? "under" : "not under", answers ? "still answers" : "does not answer"
        exit !ok
    }' "$work/samples"

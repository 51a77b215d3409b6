#!/usr/bin/env bash
# Long runs of the libFuzzer targets, one after the other, at the lowest priority:
#
#     bench/fuzz/long.sh [-runs=N] [-max_total_time=S] [build dir] [target...]
#
# The build dir (default build-fuzz) is the clang build with -DCOILRUN_FUZZ=ON
# that scripts/test makes; the targets default to every fuzz_* program in it
# (the seed writers apart). Each target runs for N executions (default 10000000)
# or S seconds (default: no limit), whichever ends first, from its own corpus
# in <build dir>/long/<target> (kept between runs, so that a later run goes on
# from what an earlier one found) and its seed corpus, if it has one. Its whole
# output goes to <build dir>/long/<target>.log; a crash, leak or sanitizer report
# leaves the input that caused it in <build dir>/long/ as crash-*, leak-* or
# timeout-*. At the end it prints one line per target: executions, seconds, and
# "no finding" or what stopped it. Exits 1 when any target stopped on a finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
runs=10000000 seconds=0
while [[ "${1:-}" == -* ]]; do
    case "$1" in
        -runs=*) runs="${1#-runs=}" ;;
        -max_total_time=*) seconds="${1#-max_total_time=}" ;;
        *) echo "long.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
[[ "$runs$seconds" =~ ^[0-9]+$ ]] || { echo "long.sh: runs and seconds are whole numbers" >&2; exit 2; }
build="$(cd "${1:-$root/build-fuzz}" && pwd)"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    for program in "$build"/fuzz_*; do
        [[ -x "$program" && "$program" != *_seeds ]] && targets+=("$(basename "$program")")
    done
fi
((${#targets[@]} > 0)) || { echo "long.sh: no fuzz targets in $build" >&2; exit 1; }

mkdir -p "$build/long"
summary="$build/long/summary.log"
failed=0
for target in "${targets[@]}"; do
    [[ -x "$build/$target" ]] || { echo "long.sh: no $build/$target" >&2; exit 1; }
    mkdir -p "$build/long/$target"
    seeds="$(find "$build/tests/fuzz" -maxdepth 2 -type d -name "${target}_corpus" | head -n 1)"
    command=(nice -n 19 "$build/$target" -runs="$runs" -max_total_time="$seconds"
             -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
             -artifact_prefix="$build/long/" "$build/long/$target" ${seeds:+"$seeds"})
    echo "== $target: ${command[*]}" | tee -a "$summary"
    began=$(date +%s)
    rc=0
    "${command[@]}" >"$build/long/$target.log" 2>&1 || rc=$?
    wall=$(($(date +%s) - began))
    executed="$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$build/long/$target.log")"
    if ((rc == 0)); then
        verdict="no finding"
    else
        failed=1
        verdict="stopped (exit $rc): $(grep -m 1 -E '^(==[0-9]+==ERROR|SUMMARY|ERROR)' \
            "$build/long/$target.log" || echo 'see the log')"
    fi
    printf '   %s: %s executions in %d s, %s\n' "$target" "${executed:-?}" "$wall" "$verdict" |
        tee -a "$summary"
done
exit "$failed"

#!/bin/sh
# Prints what the embedded assets cost: the bytes they add to the executable,
# asset by asset, and the time the generator takes to make them all.
#
#     bench/assets/asset_size.sh [build dir]
#
# The executable measured is build/coilrun when it exists, otherwise the asset
# unit test, which links the same library.
set -eu
build=${1:-build}
exe=$build/coilrun
[ -x "$exe" ] || exe=$build/unit_assets
gen=$build/coilrun_assetgen
if [ ! -x "$gen" ]; then
    echo "no $gen: build the coilrun_assetgen target first" >&2
    exit 1
fi

if [ -x "$exe" ]; then
    echo "executable: $exe ($(stat -c %s "$exe") bytes on disk)"
    # The symbols are in table order; the table maps their numbers to names.
    table=$build/scene/assets/generated/embedded_assets_data.cpp
    total=0
    for line in $(nm -S "$exe" | awk '$4 ~ /^coilrun_asset_[0-9]+$/ { sub("coilrun_asset_", "", $4); print $4 ":" $2 }' | sort -n); do
        idx=${line%%:*}
        bytes=$(printf '%d' "0x${line#*:}")
        name=$(sed -n "s/^ *{\"\([^\"]*\)\", coilrun_asset_$idx,.*/\1/p" "$table")
        printf '  %-20s %9d bytes\n' "$name" "$bytes"
        total=$((total + bytes))
    done
    echo "assets in the executable: $total bytes ($(echo "scale=2; $total / 1048576" | bc) MiB)"
else
    echo "no executable linked yet; sizes of the generated files only"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
start=$(date +%s.%N)
"$gen" "$tmp" >/dev/null
end=$(date +%s.%N)
echo "generation: $(echo "$end - $start" | bc) s wall for $(ls "$tmp"/*.bin "$tmp"/*.ico | wc -l) assets, $(cat "$tmp"/*.bin "$tmp"/*.ico | wc -c) bytes"

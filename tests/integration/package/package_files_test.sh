#!/usr/bin/env bash
# The Debian package's contents as the system's own tools judge them: the
# control fields, the file list (lintian too), the desktop entry
# (desktop-file-validate), the AppStream metainfo and its screenshots
# (appstreamcli), the icons, the manual pages (man --warnings) and the service unit (systemd-analyze verify with the
# package's program and manual in place, and its exposure score).
#   package_files_test.sh SOURCE_DIR DEB_DIR
set -uo pipefail
source_dir="${1:?usage: package_files_test.sh SOURCE_DIR DEB_DIR}"
deb="$(ls "${2:?usage: package_files_test.sh SOURCE_DIR DEB_DIR}"/coilrun_*.deb 2>/dev/null | head -1)"
[[ -f "$deb" ]] || { echo "FAILED: no .deb in $2"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0 failures=0
check() {
    local what="$1"; shift
    if "$@" >"$work/out" 2>&1; then
        passed=$((passed + 1))
    else
        failures=$((failures + 1))
        echo "FAILED: $what"
        sed 's/^/  /' "$work/out" | head -20
    fi
}
field() { dpkg-deb -f "$deb" "$1"; }
has() { grep -qE -- "$2" <<<"$1"; }

# Control fields.
check "section games" test "$(field Section)" = games
check "a maintainer with a name and an address" has "$(field Maintainer)" '^[^<]+ <[^@ ]+@[^> ]+>$'
check "a summary and a long description" has "$(dpkg-deb -f "$deb" Description | wc -l)" '^([3-9]|[1-9][0-9]+)$'
depends="$(field Depends)"
check "libraries found by shlibdeps" has "$depends" 'libqt6webenginewidgets6 \(>= .*libstdc\+\+6'
check "the faces of the fonts the game names" has "$depends" 'fonts-liberation'

# The files, each where a desktop, man and systemd look.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/files"
icons=""
for size in 16 24 32 48 64 128 256 512; do
    icons+="usr/share/icons/hicolor/${size}x${size}/apps/example.quorvex.Coilrun.png"$'\n'
done
sort >"$work/expected" <<LIST
usr/bin/coilrun
usr/bin/coilrun-scored
usr/lib/systemd/system/coilrun-scored.service
usr/share/applications/example.quorvex.Coilrun.desktop
usr/share/doc/coilrun/changelog.Debian.gz
usr/share/doc/coilrun/copyright
usr/share/man/man6/coilrun.6.gz
usr/share/man/man8/coilrun-scored.8.gz
usr/share/metainfo/example.quorvex.Coilrun.metainfo.xml
${icons%$'\n'}
LIST
check "exactly the expected files" diff "$work/expected" "$work/files"
dpkg-deb -e "$deb" "$work/control"
for script in postinst prerm postrm; do
    check "$script is an executable shell script" \
        bash -c "test -x '$work/control/$script' && sh -n '$work/control/$script'"
done

# Debian's own package checker: no error and no warning, but for two tags: the
# game's place in /usr/bin rather than /usr/games, and a first changelog entry
# that closes no request-for-packaging bug (the package is not uploaded to
# Debian's archive).
check "lintian" bash -c "lintian --allow-root '$deb' | grep -E '^[EW]: ' |
    grep -vE ' (package-section-games-but-contains-no-game|initial-upload-closes-no-bugs)' |
    (! grep .)"

dpkg-deb -x "$deb" "$work/root"
r="$work/root"
check "desktop-file-validate" desktop-file-validate "$r/usr/share/applications/example.quorvex.Coilrun.desktop"
check "the desktop entry starts the installed game by name" \
    grep -qx 'Exec=coilrun' "$r/usr/share/applications/example.quorvex.Coilrun.desktop"
# Infos (the example TLD) pass; any warning or error fails.
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$r/usr/share/metainfo/example.quorvex.Coilrun.metainfo.xml"

# Every screenshot the metainfo names is in the tree at the size it states.
metainfo="$r/usr/share/metainfo/example.quorvex.Coilrun.metainfo.xml"
shots="$(grep -o '<image type="source"[^<]*' "$metainfo")"
check "at least three screenshots" test "$(grep -c . <<<"$shots")" -ge 3
check "every screenshot has a caption" test "$(grep -c '<caption>' "$metainfo")" -eq "$(grep -c . <<<"$shots")"
while read -r line; do
    name="${line##*/}"
    size="$(sed -n 's/.*width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/p' <<<"$line")"
    check "screenshot $name is in the tree at $size" \
        test "$(identify -format '%wx%h' "$source_dir/packaging/screenshots/$name" 2>&1)" = "$size"
done <<<"$shots"

for size in 16 24 32 48 64 128 256 512; do
    check "icon ${size}x${size} is a PNG of that size with alpha" test \
        "$(identify -format '%m %wx%h %A' "$r/usr/share/icons/hicolor/${size}x${size}/apps/example.quorvex.Coilrun.png")" \
        = "PNG ${size}x${size} True"
done

for page in man6/coilrun.6.gz man8/coilrun-scored.8.gz; do
    check "man $page renders without warnings" bash -c "
        out=\$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '$r/usr/share/man/$page' 2>&1 >/dev/null)
        echo \"\$out\"; test -z \"\$out\""
done

unit="$r/usr/lib/systemd/system/coilrun-scored.service"
for directive in DynamicUser=yes StateDirectory=coilrun-scored NoNewPrivileges=yes \
                 ProtectSystem=strict PrivateTmp=yes 'RestrictAddressFamilies=AF_UNIX AF_INET AF_INET6'; do
    check "the unit sets $directive" grep -qx "$directive" "$unit"
done
check "the unit keeps its database in its state directory" \
    grep -q '^ExecStart=/usr/bin/coilrun-scored .*--db /var/lib/coilrun-scored/' "$unit"
check "installing enables nothing" bash -c "! grep -q '\.wants/' '$work/files'"
# systemd-analyze verify checks that the program and the manual page exist: the
# package's are laid over /usr/bin in a mount namespace of the check's own.
if ((EUID == 0)) && unshare -m true 2>/dev/null; then
    check "systemd-analyze verify" unshare -m bash -c "
        mount -t overlay overlay -o lowerdir='$r/usr/bin':/usr/bin /usr/bin || exit 1
        out=\$(MANPATH='$r/usr/share/man' systemd-analyze verify '$unit' 2>&1); s=\$?
        echo \"\$out\"; test \$s -eq 0 -a -z \"\$out\""
else
    echo "note: not root or no mount namespaces: systemd-analyze verify without the program in place"
    check "systemd-analyze verify (no program)" bash -c \
        "systemd-analyze verify '$unit' 2>&1 | grep -v 'coilrun-scored is not executable\|man coilrun-scored' | (! grep .)"
fi
exposure="$(systemd-analyze security --offline=yes "$unit" 2>/dev/null | sed -n 's/.*Overall exposure level for [^:]*: \([0-9.]*\).*/\1/p')"
check "the unit's exposure is low (systemd-analyze security: ${exposure:-none})" \
    awk -v e="${exposure:-99}" 'BEGIN { exit !(e <= 2.0) }'

echo "package files: $passed passed, $failures failed"
((failures == 0))

#!/usr/bin/env bash
# The Debian package on a machine that has never seen the game: installs the
# .deb made from the Release build with apt into a pristine Debian 12 root
# (debootstrap minbase), so that apt finds every dependency from the package's
# own Depends, and then, as a player would:
#   - starts the score server with the ExecStart line of the installed unit,
#   - starts the game with the Exec line of the installed desktop entry on an X
#     server of its own, sees its main window and its settings read back,
#   - loads view.php from the server,
#   - removes the package (no file of it left) and purges it (no state left).
# Server and game share a network namespace of their own with only a loopback,
# so they meet at the addresses they use by default.
#
#   fresh_install_test.sh SOURCE_DIR DEB_DIR
#
# COILRUN_FRESH_ROOT names a root that scripts/test is making meanwhile (done
# when $COILRUN_FRESH_ROOT.status holds debootstrap's exit status); without it
# the test makes its own. Exits 77 (skipped) where debootstrap cannot run: not
# root, no debootstrap, chroot or mounts refused, or no Debian mirror.
set -uo pipefail
source_dir="${1:?usage: fresh_install_test.sh SOURCE_DIR DEB_DIR}"
deb="$(ls "${2:?usage: fresh_install_test.sh SOURCE_DIR DEB_DIR}"/coilrun_*.deb 2>/dev/null | head -1)"
source "$source_dir/scripts/lib/debian_root.sh"

skip() { echo "SKIPPED: $* (the fresh-install test needs debootstrap to run)"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }
say() { echo "fresh install: $*"; }

((EUID == 0)) || skip "not root"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
for tool in Xvfb xdotool import tesseract curl unshare nsenter; do
    command -v "$tool" >/dev/null || fail "$tool is missing on this machine"
done

work="$(mktemp -d /var/tmp/coilrun-fresh-install.XXXXXX)"
xvfb_pid="" holder_pid=""
cleanup() {
    leave_debian_root
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    [[ -n "$holder_pid" ]] && kill "$holder_pid" 2>/dev/null
    if [[ -n "${COILRUN_KEEP_FRESH_ROOT:-}" ]]; then
        say "kept $work"
    else
        rm -rf --one-file-system "$work" ${COILRUN_FRESH_ROOT:+"$COILRUN_FRESH_ROOT"}
    fi
}
trap cleanup EXIT

[[ -f "$deb" ]] || fail "no .deb in $2"
say "installing $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

# The root: the one scripts/test started at its beginning, or a new one.
SECONDS=0
if [[ -n "${COILRUN_FRESH_ROOT:-}" ]]; then
    root="$COILRUN_FRESH_ROOT"
    while [[ ! -s "$root.status" ]] && ((SECONDS < 1800)); do sleep 2; done
    status="$(cat "$root.status" 2>/dev/null)"
    say "waited ${SECONDS}s for the root that scripts/test made (debootstrap exit ${status:-none})"
else
    root="$work/root"
    make_debian_root "$root"
    status=$?
    say "debootstrap took ${SECONDS}s (exit $status)"
fi
[[ "$status" == 0 ]] || { tail -n 5 "$root.debootstrap.log"; skip "debootstrap failed"; }
enter_debian_root "$root" 2>"$work/mount.log" || { cat "$work/mount.log"; skip "cannot mount in the root"; }
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root true || skip "chroot is refused here"

# As a Debian 12 installation is set up: the release with its updates.
cat >"$root/etc/apt/sources.list" <<LIST
deb $debian_mirror bookworm main
deb $debian_mirror bookworm-updates main
deb ${DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security} bookworm-security main
LIST
in_root apt-get update -qq >"$work/apt-update.log" 2>&1 || { cat "$work/apt-update.log"; skip "apt-get update failed in the root"; }
cp "$deb" "$root/tmp/"

failures=0
check() {
    local what="$1"; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

# apt resolves every dependency itself, as it would for a player.
install_start=$SECONDS
in_root apt-get install -y -q "/tmp/$(basename "$deb")" >"$work/apt-install.log" 2>&1 ||
    { tail -n 30 "$work/apt-install.log"; fail "apt-get install of the package"; }
installed_at=$SECONDS
say "apt-get install took $((installed_at - install_start))s, pulling in" \
    "$(grep -c '^Setting up' "$work/apt-install.log") packages"
in_root dpkg-query -L coilrun | while read -r f; do [[ -f "$root$f" ]] && echo "$f"; done \
    >"$work/files"
say "the package put $(wc -l <"$work/files") files on the system"

# A network of their own: loopback only, so the default address is free.
unshare --net sleep infinity &
holder_pid=$!
sleep 0.2
in_net() { nsenter --net="/proc/$holder_pid/ns/net" "$@"; }
in_net ip link set lo up || fail "no loopback in the test's own network"

# The server, started with the unit's own command line, as a user of its own
# that owns only the state directory, as the unit's dynamic user does.
unit="$root/usr/lib/systemd/system/coilrun-scored.service"
exec_start="$(sed -n 's/^ExecStart=//p' "$unit")"
read -r -a server_command <<<"$exec_start"
mkdir -p "$root/var/lib/coilrun-scored"
chown 61234:61234 "$root/var/lib/coilrun-scored"
in_net chroot --userspec=61234:61234 "$root" /usr/bin/env -i "${server_command[@]}" \
    >"$work/scored.out" 2>"$work/scored.log" &
address=http://127.0.0.1:8765
for _ in $(seq 100); do
    in_net curl -sf -o /dev/null "$address/Coilrun/data/view.php" && break
    sleep 0.1
done

# The game through its desktop entry, as a player of the root, with the highest
# level reached already in the settings where the build keeps them.
entry="$root/usr/share/applications/example.quorvex.Coilrun.desktop"
exec_line="$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[fFuUick]//g')"
read -r -a game_command <<<"$exec_line"
in_root useradd --create-home player
settings="$root/home/player/.config/Quorvex/Coilrun.conf"
mkdir -p "$(dirname "$settings")"
printf '[General]\nCreator=Velmora\nlevel=6\n' >"$settings"
in_root chown -R player: /home/player/.config
for display in $(seq 150 199); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
    [[ -e /tmp/.X11-unix/X$display ]] && break
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=""
done
[[ -n "$xvfb_pid" ]] || fail "no X display could be started"
# Only this display's socket goes into the root: with the whole socket folder
# bound, anything in the root that cleans its /tmp would take away the sockets of
# every other X server on the machine (the other tests' among them).
debian_root_bind "/tmp/.X11-unix/X$display" "$root/tmp/.X11-unix/X$display"
export DISPLAY=":$display"
# The machine has no GPU and no user namespaces for the web engine's sandbox:
# the same allowances the other tests of the real program make.
in_net chroot --userspec="$(stat -c %u:%g "$root/home/player")" "$root" /usr/bin/env -i \
    HOME=/home/player USER=player PATH=/usr/local/bin:/usr/bin:/bin:/usr/games DISPLAY="$DISPLAY" \
    LIBGL_ALWAYS_SOFTWARE=1 QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
    "${game_command[@]}" >"$work/game.log" 2>&1 &
game_window=""
while ((SECONDS < installed_at + 180)); do
    for id in $(xdotool search --onlyvisible --class '^Coilrun$' 2>/dev/null); do
        width="$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')"
        ((${width:-0} >= 400)) && game_window="$id"
    done
    [[ -n "$game_window" ]] && break
    sleep 0.2
done
window_at=$SECONDS
check "the game's main window appears" test -n "$game_window"
[[ -n "$game_window" ]] || { tail -n 20 "$work/game.log"; fail "no game window"; }
say "from apt-get install to the game's main window: $((window_at - install_start))s" \
    "(install $((installed_at - install_start))s, start $((window_at - installed_at))s)"

# The menu offers the level the settings hold.
menu_read=""
for _ in $(seq 20); do
    sleep 2
    import -window root "$work/menu.png"
    menu_read="$(tesseract "$work/menu.png" - 2>/dev/null | tr -s ' \n' ' ')"
    [[ "$menu_read" == *"LEVEL 6"* ]] && break
done
check "the menu offers level 6 from the settings (read: ${menu_read:0:80})" \
    grep -q 'LEVEL 6' <<<"$menu_read"

check "the splash loaded view.php from the server at the default address" \
    grep -q 'view.php' "$work/scored.log"
view="$(in_net curl -sf "$address/Coilrun/data/view.php")"
check "view.php answers with a title" grep -q '<title>' <<<"$view"

# Removal leaves no file of the package behind; the scores stay until a purge.
leave_debian_root
enter_debian_root "$root"
in_root apt-get remove -y -q coilrun >"$work/apt-remove.log" 2>&1 || { cat "$work/apt-remove.log"; fail "apt-get remove"; }
left="$(while read -r f; do [[ -e "$root$f" ]] && echo "$f"; done <"$work/files")"
check "removing leaves none of the package's files${left:+ (left: $(echo $left))}" test -z "$left"
check "removing keeps the scores" test -f "$root/var/lib/coilrun-scored/scores.sqlite"
in_root apt-get purge -y -q coilrun >"$work/apt-purge.log" 2>&1 || { cat "$work/apt-purge.log"; fail "apt-get purge"; }
check "purging leaves no state of the server" \
    test ! -e "$root/var/lib/coilrun-scored" -a ! -e "$root/var/lib/private/coilrun-scored"
check "dpkg has forgotten the package" \
    bash -c "! chroot '$root' dpkg-query -W -f='\${Status}' coilrun 2>/dev/null | grep -q installed"

((failures == 0)) || fail "$failures checks"
say "all checks passed"

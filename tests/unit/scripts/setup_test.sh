#!/usr/bin/env bash
# scripts/setup's package step against stand-ins for dpkg-query, apt-get and
# sudo: what it says, what it asks apt for, and that scripts/test stops before
# any build when a package cannot be installed.
#   setup_test.sh SOURCE_DIR
set -uo pipefail
source_dir="${1:?usage: setup_test.sh SOURCE_DIR}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0 passed=0

# The stand-ins keep their state in files: the installed packages, the ones
# no mirror has, and every apt-get call.
mkdir -p "$work/bin"
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
pkg="${!#}"
grep -qx "$pkg" "$FAKE_STATE/installed" 2>/dev/null || { echo "dpkg-query: no packages found matching $pkg" >&2; exit 1; }
printf 'install ok installed'
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_STATE/calls"
[[ "$*" == *update* ]] && exit 0
pkgs=()
for a in "$@"; do [[ "$a" == -* || "$a" == install ]] || pkgs+=("$a"); done
for p in "${pkgs[@]}"; do
    if grep -qx "$p" "$FAKE_STATE/unavailable" 2>/dev/null; then
        echo "E: Unable to locate package $p" >&2
        exit 100
    fi
done
for p in "${pkgs[@]}"; do
    # A name apt accepts but that stays uninstalled, as a virtual package does.
    grep -qx "$p" "$FAKE_STATE/virtual" 2>/dev/null || echo "$p" >>"$FAKE_STATE/installed"
done
STUB
printf '#!/usr/bin/env bash\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/usr/bin/env bash\necho "cmake $*" >>"$FAKE_STATE/calls"\n' >"$work/bin/cmake"
chmod +x "$work/bin/"*

# A project folder with the real scripts and a package list of the case's own.
new_case() {
    case_dir="$work/case$((passed + failures))"
    mkdir -p "$case_dir/project/scripts/lib" "$case_dir/state"
    cp "$source_dir/scripts/setup" "$source_dir/scripts/test" "$case_dir/project/scripts/"
    cp "$source_dir/scripts/lib/"*.sh "$case_dir/project/scripts/lib/"
    printf '%s\n' "$@" >"$case_dir/project/scripts/packages.txt"
    export FAKE_STATE="$case_dir/state"
    touch "$FAKE_STATE/installed" "$FAKE_STATE/calls"
}
run_setup() {
    PATH="$work/bin:$PATH" bash -c 'source "$1/scripts/setup" && install_missing_packages' \
        _ "$case_dir/project" >"$case_dir/out" 2>"$case_dir/err"
}
check() {
    local what="$1"; shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failures=$((failures + 1))
        echo "FAILED: $what"
        sed 's/^/  out: /' "$case_dir/out"; sed 's/^/  err: /' "$case_dir/err"
        sed 's/^/  call: /' "$FAKE_STATE/calls"
    fi
}
has() { grep -q -- "$2" "$case_dir/$1"; }
lacks() { ! grep -q -- "$2" "$case_dir/$1"; }

# Nothing missing: one line says so, apt is left alone.
new_case cmake '# a comment' '' '  g++  ' 'clang  # trailing comment'
printf 'cmake\ng++\nclang\n' >"$FAKE_STATE/installed"
run_setup; status=$?
check "all installed succeeds" test $status -eq 0
check "all installed says so with the count" has out "all 3 packages"
check "all installed calls no apt-get" test ! -s "$FAKE_STATE/calls"

# Missing packages are named first, with the warning, and installed without
# recommended packages.
new_case cmake g++ clang
echo cmake >"$FAKE_STATE/installed"
run_setup; status=$?
check "missing ones installed succeeds" test $status -eq 0
check "first line says how many and that it takes a while" \
    bash -c 'head -1 "$1" | grep -q "installing 2 .*may take a while"' _ "$case_dir/out"
check "the missing ones are listed" has out "g++ clang"
check "an installed one is not listed again" \
    bash -c '! sed 1d "$1" | grep -qw cmake' _ "$case_dir/out"
check "installs without recommended packages" has state/calls "install .*--no-install-recommends g++ clang"

# One package no mirror has: the message names it, and only it, and the rest
# is still installed.
new_case cmake nosuch-package clang
printf 'nosuch-package\n' >"$FAKE_STATE/unavailable"
run_setup; status=$?
check "a package that cannot be had fails" test $status -ne 0
check "the message names it" has err "setup: could not install nosuch-package"
check "the message names no other" bash -c '[[ $(grep -c "could not install" "$1") -eq 1 ]]' _ "$case_dir/err"
check "the others are installed all the same" bash -c 'grep -qx cmake "$1" && grep -qx clang "$1"' \
    _ "$FAKE_STATE/installed"

# apt-get succeeds, yet the package is not installed under its name.
new_case cmake libgl-dev
printf 'libgl-dev\n' >"$FAKE_STATE/virtual"
run_setup; status=$?
check "a name apt takes but does not install fails" test $status -ne 0
check "and is named" has err "setup: could not install libgl-dev"

# scripts/test stops there, before any build is configured.
new_case cmake nosuch-package
echo cmake >"$FAKE_STATE/installed"
printf 'nosuch-package\n' >"$FAKE_STATE/unavailable"
PATH="$work/bin:$PATH" bash "$case_dir/project/scripts/test" >"$case_dir/out" 2>"$case_dir/err"; status=$?
check "scripts/test fails" test $status -ne 0
check "scripts/test names the package" has err "setup: could not install nosuch-package"
check "scripts/test configures nothing" lacks state/calls "^cmake"
check "scripts/test's first line is the install notice" \
    bash -c 'head -1 "$1" | grep -q "^setup: installing 1 "' _ "$case_dir/out"

echo "$passed passed, $failures failed"
((failures == 0))

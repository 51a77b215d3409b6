# A pristine Debian 12 root made with debootstrap, and what it takes to run
# programs in it: the kernel's file systems mounted inside, and its processes
# found and stopped again. Sourced by scripts/fresh-debian-check and the
# package's fresh-install test; needs root.
#
#   make_debian_root DIR [PACKAGE,...]  debootstrap minbase (plus the packages)
#                                       into DIR; its log is DIR.debootstrap.log
#   enter_debian_root DIR               mounts /proc, /sys, /dev and friends in
#                                       DIR and gives it this machine's DNS
#   leave_debian_root                   stops what still runs in the root and
#                                       undoes every mount, in reverse order
#   debian_root_pids                    the processes whose root is DIR

debian_mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
debian_root=""
debian_root_mounts=()

make_debian_root() {
    local dir="$1" include="${2:-}"
    mkdir -p "$dir"
    debootstrap --variant=minbase ${include:+--include="$include"} bookworm "$dir" \
        "$debian_mirror" >"$dir.debootstrap.log" 2>&1
}

debian_root_bind() {
    if [[ -d "$1" ]]; then
        mkdir -p "$2"
    else # a file or socket is bound onto a file
        mkdir -p "$(dirname "$2")"
        [[ -e "$2" ]] || : >"$2"
    fi
    mount --bind "$1" "$2"
    debian_root_mounts+=("$2")
}

enter_debian_root() {
    debian_root="$(cd "$1" && pwd)"
    cp /etc/resolv.conf "$debian_root/etc/resolv.conf"
    mount -t proc proc "$debian_root/proc" && debian_root_mounts+=("$debian_root/proc")
    mount -t sysfs sysfs "$debian_root/sys" && debian_root_mounts+=("$debian_root/sys")
    debian_root_bind /dev "$debian_root/dev"
    debian_root_bind /dev/pts "$debian_root/dev/pts"
    debian_root_bind /dev/shm "$debian_root/dev/shm"
    chmod 1777 "$debian_root/tmp"
}

debian_root_pids() {
    local proc pid
    [[ -n "$debian_root" ]] || return 0
    for proc in /proc/[0-9]*; do
        pid="${proc#/proc/}"
        [[ "$(readlink "$proc/root" 2>/dev/null)" == "$debian_root" ]] && echo "$pid"
    done
    return 0
}

leave_debian_root() {
    local pids i
    pids="$(debian_root_pids)"
    if [[ -n "$pids" ]]; then
        kill -TERM $pids 2>/dev/null
        sleep 2
        pids="$(debian_root_pids)"
        [[ -n "$pids" ]] && kill -KILL $pids 2>/dev/null
    fi
    for ((i = ${#debian_root_mounts[@]} - 1; i >= 0; i--)); do
        umount "${debian_root_mounts[i]}" 2>/dev/null || umount -l "${debian_root_mounts[i]}"
    done
    debian_root_mounts=()
    return 0
}

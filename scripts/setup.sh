#!/usr/bin/env bash
# Installs what building and testing DiscPilot needs on Debian 12: the MinGW-w64 cross compiler,
# CMake, 32-bit Wine and Wine's own fonts, Xvfb, GoogleTest sources and ImageMagick. On machines
# whose kernel cannot run 32-bit x86 code it also registers qemu-user (from bookworm-backports) for
# i386 programs, so that Wine's 32-bit loader runs. Idempotent: when everything is present it only
# checks and returns.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cache_dir="${DISCPILOT_TOOLS_DIR:-/var/cache/discpilot-tools}"
qemu_dir="$cache_dir/qemu"

packages=(g++-mingw-w64-i686-posix cmake wine wine32:i386 fonts-wine xvfb xauth googletest imagemagick zip)

log() { printf 'setup: %s\n' "$*"; }

as_root_hint() {
    printf 'setup: this step needs root. Run, once:\n  sudo bash %s\n' "$here/setup.sh" >&2
    exit 1
}

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

# The URI of the system's own Debian source, so that backports come from the same mirror.
debian_mirror() {
    local uri=""
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        uri="$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)"
    fi
    if [[ -z "$uri" && -f /etc/apt/sources.list ]]; then
        uri="$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' /etc/apt/sources.list)"
    fi
    [[ -n "$uri" ]] || { echo "setup: cannot find the system's Debian mirror" >&2; exit 1; }
    echo "$uri"
}

native_i386_works() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

install_qemu_user() {
    local qemu_bin="$qemu_dir/root/usr/bin/qemu-i386"
    if [[ ! -x "$qemu_bin" ]]; then
        log "fetching qemu-user from bookworm-backports"
        local apt_dir="$qemu_dir/apt" list="$qemu_dir/backports.list"
        mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$qemu_dir/deb"
        echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $(debian_mirror) bookworm-backports main" >"$list"
        local opts=(-o "Dir::Etc::sourcelist=$list" -o "Dir::Etc::sourceparts=-"
            -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
            -o "APT::Sandbox::User=root")
        apt-get -q "${opts[@]}" update >/dev/null
        (cd "$qemu_dir/deb" && rm -f qemu-user_*.deb && apt-get -q "${opts[@]}" download qemu-user/bookworm-backports >/dev/null)
        rm -rf "$qemu_dir/root"
        dpkg-deb -x "$qemu_dir"/deb/qemu-user_*.deb "$qemu_dir/root"
    fi
    local bm=/proc/sys/fs/binfmt_misc
    [[ -e $bm/register ]] || mount -t binfmt_misc binfmt_misc $bm
    [[ -e $bm/qemu-i386 ]] && echo -1 >$bm/qemu-i386
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu_bin"':F' >$bm/register
    native_i386_works || { echo "setup: 32-bit programs still do not run under qemu-user" >&2; exit 1; }
    log "32-bit x86 programs run under qemu-user"
}

mapfile -t missing < <(missing_packages)
if ((${#missing[@]})); then
    [[ $(id -u) -eq 0 ]] || as_root_hint
    log "installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get -q update >/dev/null
    apt-get -q install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

# DISCPILOT_FORCE_QEMU=1 takes the qemu-user route even where the kernel runs 32-bit code, to
# check that route on an ordinary PC.
if [[ "${DISCPILOT_FORCE_QEMU-}" == 1 ]] || ! native_i386_works; then
    [[ $(id -u) -eq 0 ]] || as_root_hint
    install_qemu_user
fi
log "ready"

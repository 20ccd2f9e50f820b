#!/usr/bin/env bash
# Makes sure the Debian packages that a task needs are installed.
# Usage: scripts/deps.sh run|test|bench|release|windows|arm64|fresh|fresh-arm64
# As root it installs what is missing with apt-get; otherwise it prints the exact command and fails.
set -euo pipefail

build_pkgs=(cmake g++ make qt6-base-dev fonts-noto-cjk)
# Qt's Wayland platform plugin is in qt6-wayland up to Qt 6.8, in libqt6waylandclient6 in Qt 6.11.
test_pkgs=(xvfb xdotool xclip dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-xlib clang-format
    dpkg-dev file lintian desktop-file-utils appstream devscripts binutils-mingw-w64-x86-64
    clang libclang-rt-dev pkg-config
    fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-arphic-ukai fonts-droid-fallback
    qt6-gtk-platformtheme weston xwayland qt6-wayland libqt6waylandclient6 strace)
bench_pkgs=(xvfb dbus python3-xlib valgrind)
# The shipped files (scripts/release.sh): the Windows program's 32- and 64-bit cross compilers (win32
# threads), the zip and installer builders, dpkg-shlibdeps for the .deb's dependencies, and diffoscope to
# show where two builds differ.
release_pkgs=(g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    ninja-build zip nsis dpkg-dev diffoscope-minimal)
# The Windows program's checks: 32- and 64-bit wine on a private X server, stand-in fonts made with fontTools
# from Debian's fonts, and the Linux build (build_pkgs) of the probe that gives the checks the program's texts.
# Where a face is missing, wine draws Chinese in the installed Chinese face first by name: AR PL UKai, so that
# it is neither stand-in's source (WenQuanYi Zen Hei, AR PL UMing) and a stand-in in use shows.
windows_pkgs=(icoutils python3-fonttools fonts-wqy-zenhei fonts-arphic-uming fonts-arphic-ukai fonts-dejavu-core
    xvfb xdotool xclip dbus python3-xlib)
# Wine, where the Debian release has it: Debian's testing may have none for a while. The checks that need wine
# are then left out, and scripts/windows.sh names them; a wine that is there but fails to install fails.
wine_pkgs=(wine wine64 wine32:i386)
# The arm64 program, cross-built beside the amd64 one: Debian's cross compiler, the arm64 Qt development
# packages (Multi-Arch: same, so they sit beside the amd64 ones; Qt's moc, rcc and uic stay the host's), and
# qemu-user to run its tests.
arm64_pkgs=(g++-aarch64-linux-gnu qt6-base-dev:arm64 qemu-user)
# scripts/fresh-debian.sh: a fresh Debian system to try the README's commands in.
fresh_pkgs=(debootstrap debian-archive-keyring git)
# Its arm64 system (--arm64): the emulator, linked statically, that runs that system's programs.
fresh_arm64_pkgs=(qemu-user-static)

case "${1:-}" in
run) wanted=("${build_pkgs[@]}") ;;
test) wanted=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
bench) wanted=("${build_pkgs[@]}" "${bench_pkgs[@]}") ;;
release) wanted=("${build_pkgs[@]}" "${release_pkgs[@]}") ;;
windows) wanted=("${build_pkgs[@]}" "${release_pkgs[@]}" "${windows_pkgs[@]}" "${wine_pkgs[@]}") ;;
arm64) wanted=("${arm64_pkgs[@]}") ;;
fresh) wanted=("${fresh_pkgs[@]}") ;;
fresh-arm64) wanted=("${fresh_arm64_pkgs[@]}") ;;
*)
    echo "usage: $0 run|test|bench|release|windows|arm64|fresh|fresh-arm64" >&2
    exit 2
    ;;
esac

missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
    [[ "$status" == ii* ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

root=false
[[ $(id -u) -eq 0 ]] && root=true
export DEBIAN_FRONTEND=noninteractive
# A list that failed to download is an error, not an old list. A mirror caught syncing serves a list that
# does not match its Release file for a minute or two: that is tried again, twice, before it counts.
update() {
    local try
    for try in 1 2; do
        apt-get update -qq --error-on=any && return 0
        echo "apt-get update failed (try $try of 3); trying again in 60 s, in case the mirror was syncing" >&2
        sleep 60
    done
    apt-get update -qq --error-on=any
}
$root && update
if [[ " ${missing[*]} " == *" wine "* && -z $(apt-cache madison wine 2>/dev/null) ]]; then
    echo "This Debian release has no wine package: the Windows checks that need wine will be left out."
    kept=()
    for p in "${missing[@]}"; do [[ " ${wine_pkgs[*]} " == *" $p "* ]] || kept+=("$p"); done
    missing=("${kept[@]}")
    [[ ${#missing[@]} -eq 0 ]] && exit 0
fi

# Packages of another architecture (wine32:i386, qt6-base-dev:arm64) need it known to dpkg before apt can
# find them; only an architecture that a package to install needs is added.
arches=()
for p in "${missing[@]}"; do
    arch=${p#*:}
    [[ $arch != "$p" ]] && ! dpkg --print-foreign-architectures | grep -qx "$arch" && arches+=("$arch")
done

if $root; then
    echo "Installing: ${missing[*]}"
    for arch in "${arches[@]}"; do dpkg --add-architecture "$arch"; done
    [[ ${#arches[@]} -eq 0 ]] || update
    apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run this, then try again:" >&2
    for arch in "${arches[@]}"; do echo "  sudo dpkg --add-architecture $arch && sudo apt-get update" >&2; done
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

#!/usr/bin/env bash
# Makes sure the Debian packages that a task needs are installed.
# Usage: scripts/deps.sh run|test|bench|windows|windows-qt
# As root it installs what is missing with apt-get; otherwise it prints the exact command and fails.
set -euo pipefail

build_pkgs=(cmake g++ make qt6-base-dev fonts-noto-cjk)
test_pkgs=(xvfb xdotool xclip dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-xlib clang-format
    dpkg-dev file lintian desktop-file-utils appstream devscripts binutils-mingw-w64-x86-64
    clang libclang-rt-14-dev pkg-config
    fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-arphic-ukai fonts-droid-fallback
    qt6-gtk-platformtheme weston xwayland qt6-wayland strace)
bench_pkgs=(xvfb python3-xlib)
# The Windows program: cross compiler, installer builder, and wine on a private X server for its checks.
windows_pkgs=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build xz-utils zip nsis icoutils
    wine wine64 xvfb xdotool xclip dbus python3-xlib)
# Qt for the Windows program, made from Debian's source (scripts/windows-qt.sh): host moc/rcc/uic, the
# cross compiler and build tools, perl for Qt's syncqt.pl, python3 for the licence records, apt for the
# source package.
windows_qt_pkgs=(qt6-base-dev g++-mingw-w64-x86-64-posix ninja-build cmake xz-utils perl python3 apt)

case "${1:-}" in
run) wanted=("${build_pkgs[@]}") ;;
test) wanted=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
bench) wanted=("${build_pkgs[@]}" "${bench_pkgs[@]}") ;;
windows) wanted=("${build_pkgs[@]}" "${windows_pkgs[@]}") ;;
windows-qt) wanted=("${windows_qt_pkgs[@]}") ;;
*)
    echo "usage: $0 run|test|bench|windows|windows-qt" >&2
    exit 2
    ;;
esac

missing=()
for p in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
    [[ "$status" == ii* ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run this, then try again:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

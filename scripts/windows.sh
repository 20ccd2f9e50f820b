#!/usr/bin/env bash
# Cross-builds the Windows program on Debian, a single static tarnwick.exe, and packs it as a portable
# zip and an NSIS installer in build-windows/dist. With --check it also runs the Windows checks: the
# file's imports and resources, the core tests under wine, the real window and the installer under wine
# on a private X server.
# Usage: scripts/windows.sh [--check]
# Qt for Windows comes from qt-6.4.2-mingw64-static.tar.xz (made by build-qt.sh beside it), looked for
# in ../shared/windows/ next to this repository, or wherever TARNWICK_WINDOWS_QT names it.
set -euo pipefail
cd "$(dirname "$0")/.."

check=false
case "${1:-}" in
--check) check=true ;;
"") ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

fail() {
    echo "windows.sh: $*" >&2
    exit 1
}

scripts/deps.sh windows

qt_name=qt-6.4.2-mingw64-static
# The Qt that this build and its checks were made with; another one is a deliberate change here.
qt_sha256=6cc6793a4ce1e53e2e8c2509416e7136299f2d36ebd360a00e431353dee62b41
archive=${TARNWICK_WINDOWS_QT:-../shared/windows/$qt_name.tar.xz}
out=build-windows
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Qt, unpacked once per build folder; a half-unpacked copy is never taken for a whole one.
if [[ "$(cat "$out/qt/.sha256" 2>/dev/null)" != "$qt_sha256" ]]; then
    [[ -f "$archive" ]] || fail "no Qt for Windows at $archive. Put $qt_name.tar.xz and its .sha256 file" \
        "there, or set TARNWICK_WINDOWS_QT to the archive's path."
    [[ -f "$archive.sha256" ]] || fail "no checksum file $archive.sha256 beside the Qt archive"
    read -r listed _ <"$archive.sha256"
    [[ "$listed" == "$qt_sha256" ]] || fail "$archive.sha256 names another Qt ($listed); this build" \
        "was made and checked with $qt_sha256"
    echo "Checking and unpacking $archive"
    actual=$(sha256sum "$archive" | cut -d' ' -f1)
    [[ "$actual" == "$qt_sha256" ]] || fail "$archive is damaged: its sha256 is $actual, not $qt_sha256"
    rm -rf "$out/qt" "$out/qt.partial"
    mkdir "$out/qt.partial"
    tar -C "$out/qt.partial" -xJf "$archive" || fail "cannot unpack $archive"
    echo "$qt_sha256" >"$out/qt.partial/.sha256"
    mv "$out/qt.partial" "$out/qt"
fi
toolchain=$out/qt/$qt_name/lib/cmake/Qt6/qt.toolchain.cmake
[[ -f "$toolchain" ]] || fail "$archive holds no $qt_name/lib/cmake/Qt6/qt.toolchain.cmake"
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' "$(dirname "$toolchain")/toolchain-mingw64.cmake")
command -v "$compiler" >/dev/null || fail "no cross compiler $compiler (Debian package g++-mingw-w64-x86-64-posix)"

# The program and the three core tests; nothing else is needed on Windows.
cmake -S . -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$out/cmake" --parallel "$(nproc)" --target tarnwick tst_codetable tst_lookup tst_fixedtexts
exe=$out/cmake/tarnwick.exe
[[ -f "$exe" ]] || fail "the build made no $exe"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt")

# The read-me as Notepad reads it on any Windows 10: UTF-8 with a byte-order mark, CR LF line ends.
dist=$out/dist
rm -rf "$dist"
mkdir -p "$dist/tarnwick-$version"
readme=$dist/tarnwick-$version/readme.txt
{
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' app/windows/readme.txt
} >"$readme"
cp "$exe" "$dist/tarnwick-$version/"
(cd "$dist" && zip -q -X -r "tarnwick-$version-windows-x64.zip" "tarnwick-$version")
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DEXE="$exe" -DREADME="$readme" \
    -DICON="$PWD/app/icons/tarnwick.ico" -DOUTFILE="$dist/tarnwick-$version-windows-x64-installer.exe" \
    app/windows/tarnwick.nsi
echo "Windows program: $(du -h "$exe" | cut -f1) $exe"
ls -l "$dist"/*.zip "$dist"/*.exe

$check || exit 0

# The checks run wine in a prefix of this build folder on an X server of their own; both end with this
# script, however it ends.
export WINEPREFIX=$out/wine
xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -f "$out/displayfd"
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
fifo=$out/displayfd
rm -f "$fifo" && mkfifo "$fifo"
# -noreset: Xvfb would otherwise reset whenever its last client leaves, and a wine program connecting
# at that moment (say, just as xdotool disconnects) would never get its window.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb_pid=$!
read -r -t 30 display <"$fifo" || fail "Xvfb did not start within 30 s"
DISPLAY=:$display /usr/bin/python3 tests/windows/test_windows.py "$out"

#!/usr/bin/env bash
# Cross-builds the Windows program on Debian, a single static tarnwick.exe, and packs it in
# build-windows/dist: a portable zip and an NSIS installer, each with tarnwick's terms and the notices
# of everything linked in, and the relink kit that the LGPL asks for. With --check it also runs the
# Windows checks (CTest in the Windows build: the core tests under wine, then tests/windows/).
# Usage: scripts/windows.sh [--check]
# Qt for Windows is qt-6.4.2-mingw64-static-b2.tar.xz, looked for in ../shared/windows/ next to this
# repository or wherever TARNWICK_WINDOWS_QT names it. Where there is none, scripts/windows-qt.sh makes
# the same Qt from Debian's source once (about 20 minutes) into a cache outside the build folder.
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

qt_name=qt-6.4.2-mingw64-static-b2
# The Qt that this build and its checks were made with; another one is a deliberate change here.
qt_sha256=1dfeb44160ec3a4f3d688acfa46824b7898047f6d17f3f6c437085e0e0322655
archive=${TARNWICK_WINDOWS_QT:-../shared/windows/$qt_name.tar.xz}
out=build-windows
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [[ -n ${TARNWICK_WINDOWS_QT:-} || -f $archive ]]; then
    # Unpacked once per build folder; a half-unpacked copy is never taken for a whole one.
    if [[ "$(cat "$out/qt/.sha256" 2>/dev/null)" != "$qt_sha256" ]]; then
        [[ -f "$archive" ]] || fail "no Qt for Windows at $archive (TARNWICK_WINDOWS_QT)"
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
    qt=$out/qt/$qt_name
else
    # Made by the recipe, kept for as long as the recipe and the toolchain stay as they are (the recipe
    # pins the sha256 of the source it builds).
    key=$(cat scripts/windows-qt.sh scripts/mingw64-toolchain.cmake | sha256sum | cut -c1-16)
    qt=${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick/windows-qt-$key/qt-6.4.2-mingw64-static
    if [[ ! -d $qt ]]; then
        echo "No Qt archive at $archive: making Qt for Windows from Debian's source into $qt (once)"
        scripts/windows-qt.sh "$qt"
    fi
fi
toolchain=$qt/lib/cmake/Qt6/qt.toolchain.cmake
[[ -f "$toolchain" ]] || fail "$qt holds no lib/cmake/Qt6/qt.toolchain.cmake"
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' scripts/mingw64-toolchain.cmake)
command -v "$compiler" >/dev/null || fail "no cross compiler $compiler (scripts/deps.sh windows installs it)"

# The program, the core tests and the probe the checks read the program's texts with. A build folder
# made with another Qt starts afresh.
dist=$out/dist
if ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$out/cmake/CMakeCache.txt" 2>/dev/null; then
    rm -rf "$out/cmake"
fi
cmake -S . -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON -DTARNWICK_REQUIRE_ALL_TESTS=ON \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/scripts/mingw64-toolchain.cmake" \
    -DTARNWICK_WINDOWS_DIST="$dist" >/dev/null
cmake --build "$out/cmake" --parallel "$(nproc)" --target tarnwick slotprobe tst_codetable tst_lookup tst_fixedtexts
exe=$out/cmake/tarnwick.exe
[[ -f "$exe" ]] || fail "the build made no $exe"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt")

# Texts as Notepad reads them on any Windows 10: UTF-8 with a byte-order mark, CR LF line ends.
windows_text() {
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$1"
}
python3 app/windows/notices.py "$qt" "$out/notices.txt"
# What goes beside tarnwick.exe wherever it goes: its terms, the notices, the licence texts, the sources.
notices() {
    local to=$1
    windows_text LICENSE.txt >"$to/LICENSE.txt"
    windows_text "$out/notices.txt" >"$to/THIRD-PARTY-NOTICES.txt"
    windows_text "$qt/licenses/LGPL-3.0-only.txt" >"$to/LGPL-3.0.txt"
    windows_text "$qt/licenses/GPL-3.0-only.txt" >"$to/GPL-3.0.txt"
    windows_text app/windows/SOURCES.txt >"$to/SOURCES.txt"
}

rm -rf "$dist"
program=$dist/tarnwick-$version
mkdir -p "$program"
cp "$exe" "$program/"
windows_text app/windows/readme.txt >"$program/readme.txt"
notices "$program"
(cd "$dist" && zip -q -X -r "tarnwick-$version-windows-x64.zip" "tarnwick-$version")
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$program" \
    -DICON="$PWD/app/icons/tarnwick.ico" -DOUTFILE="$dist/tarnwick-$version-windows-x64-installer.exe" \
    app/windows/tarnwick.nsi

# The relink kit: tarnwick's own compiled code, with a CMake project that links it with any Qt, and the
# recipe of the Qt it was linked with.
kit=$dist/tarnwick-$version-windows-relink
app=$out/cmake/app/CMakeFiles/tarnwick.dir
mkdir -p "$kit/qt"
cp "$app/main.cpp.obj" "$app/tarnwick_autogen/mocs_compilation.cpp.obj" "$app/tarnwick.rc.res" \
    "$out/cmake/ui/libtarnwick_ui.a" "$out/cmake/core/libtarnwick_core.a" app/windows/relink/CMakeLists.txt "$kit/"
windows_text app/windows/relink/README.txt >"$kit/README.txt"
notices "$kit"
cp scripts/windows-qt.sh scripts/mingw64-toolchain.cmake scripts/deps.sh "$kit/qt/"
(cd "$dist" && zip -q -X -r "tarnwick-$version-windows-relink.zip" "tarnwick-$version-windows-relink")

echo "Windows program: $(du -h "$exe" | cut -f1) $exe"
ls -l "$dist"/*.zip "$dist"/*.exe

$check || exit 0
ctest --test-dir "$out/cmake" --output-on-failure --timeout 1200

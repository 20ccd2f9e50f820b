#!/usr/bin/env bash
# Cross-builds the Windows program on Debian: tarnwick.exe for 32-bit Windows (the one released: it runs
# on every Windows from XP SP3 to 11, 32- and 64-bit) and for 64-bit Windows (checked, not shipped), and
# packs the 32-bit one into build-windows/dist: a portable zip and an NSIS installer, each with the
# read-me, tarnwick's terms and the notices of what the link took in. With --check it then runs the
# Windows checks (tests/windows/) under wine. Every time stamp is the commit's (scripts/source-date.sh):
# scripts/release.sh, which ships these files, gives the same bytes for the same commit.
# Usage: scripts/windows.sh [--check]
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

scripts/deps.sh release
$check && scripts/deps.sh windows
source scripts/source-date.sh

out=$PWD/build-windows
for arch in i686 x86_64; do
    # The PE header's link time is the commit's: Debian's MinGW ld takes it from SOURCE_DATE_EPOCH. Set on
    # the link's command line, so that a new commit links again even where no source changed.
    cmake -S . -B "$out/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_CXX_LINKER_LAUNCHER="env;SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH" >/dev/null
    cmake --build "$out/$arch" --parallel 2
done
exe=$out/i686/tarnwick.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/i686/CMakeCache.txt")

# Texts as Notepad reads them on any Windows from XP on: UTF-8 with a byte-order mark, CR LF line ends.
windows_text() {
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$1"
}
python3 app/windows/notices.py "$out/i686/tarnwick.map" >"$out/notices.txt"
dist=$out/dist
program=$dist/tarnwick-$version
rm -rf "$dist"
mkdir -p "$program"
cp "$exe" "$program/"
windows_text app/windows/readme.txt >"$program/readme.txt"
windows_text LICENSE.txt >"$program/LICENSE.txt"
windows_text "$out/notices.txt" >"$program/THIRD-PARTY-NOTICES.txt"
# The packed files carry the commit's time and fixed modes, not this checkout's or this umask's: the zip
# stores both (as local time, hence TZ=UTC), the installer each file's time. The zip's list is sorted.
chmod 755 "$program" "$program/tarnwick.exe"
chmod 644 "$program"/*.txt
touch -d "@$SOURCE_DATE_EPOCH" "$program" "$program"/*
(cd "$dist" && find "tarnwick-$version" | LC_ALL=C sort |
    TZ=UTC zip -q -X -@ "tarnwick-$version-windows.zip")
# The installer's licence box wraps lines to its own width: it gets LICENSE.txt with each paragraph on one
# line (an indented line goes on the one before, without a blank where both sides are Chinese) and a
# short rule for the long one.
python3 - LICENSE.txt <<'PYTHON' | windows_text /dev/stdin >"$out/licence-page.txt"
import re, sys, unicodedata
wide = lambda c: unicodedata.east_asian_width(c) in "WF"
text = open(sys.argv[1], encoding="utf-8").read()
text = re.sub(r"(.)\n[ \t]+(.)", lambda m: m[1] + ("" if wide(m[1]) and wide(m[2]) else " ") + m[2], text)
sys.stdout.buffer.write(re.sub(r"^-{20,}$", "-" * 20, text, flags=re.M).encode("utf-8"))
PYTHON
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$program" -DLICENSE_PAGE="$out/licence-page.txt" \
    -DICON="$PWD/app/icons/tarnwick.ico" -DOUTFILE="$dist/tarnwick-$version-windows-installer.exe" \
    app/windows/tarnwick.nsi
ls -l "$dist"/*.zip "$dist"/*.exe

if $check; then
    # The probe that gives the checks every row and fixed text, from a Linux build of the same core.
    cmake -S . -B "$out/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON >/dev/null
    cmake --build "$out/linux" --parallel 2 --target slotprobe
    export TARNWICK32=$exe TARNWICK64=$out/x86_64/tarnwick.exe DIST=$dist SLOTPROBE=$out/linux/tests/slotprobe \
        WINE_PREFIXES=$out/wine
    # scripts/deps.sh installs no wine only where the Debian release has none: the checks that need it are
    # then left out, and every other check is made.
    command -v wine >/dev/null || export TARNWICK_NO_WINE="this Debian release has no wine package"
    # Side by side: each check has desktops and wine prefixes of its own, and mostly waits on wine.
    failed=0
    pids=()
    for check in files window; do
        /usr/bin/python3 "tests/windows/test_$check.py" >"$out/test_$check.log" 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || failed=1
    done
    cat "$out/test_files.log" "$out/test_window.log"
    [[ $failed == 0 ]] || exit 1
    # A passing run still names every check it left out, and why, as the checks said it.
    for check in files window; do
        sed -nE -e "s/^setUpModule \(__main__\) \.\.\. skipped ['\"](.*)['\"]$/  test_$check.py, all of it: \1/p" \
            -e "s/^ *\S+ \(__main__\.(\S+)\)(.*) \.\.\. skipped ['\"](.*)['\"]$/  test_$check.py, \1\2: \3/p" \
            -e "s/^ *(.*) \.\.\. skipped ['\"](.*)['\"]$/  test_$check.py, \1: \2/p" "$out/test_$check.log"
    done >"$out/skipped.txt"
    if [[ -s $out/skipped.txt ]]; then
        echo "Windows checks (tests/windows/) not run, and why:"
        cat "$out/skipped.txt"
    fi
fi
echo "tarnwick.exe: $(stat -c %s "$exe") bytes (32-bit, shipped), $(stat -c %s "$out/x86_64/tarnwick.exe") bytes (64-bit)"

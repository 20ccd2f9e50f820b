#!/usr/bin/env bash
# Runs the benchmarks: start-up (time to the map and to the first frame on screen, memory, and
# instructions counted by callgrind) beside the plain-Qt window and a one-label window on a private Xvfb
# server, then the window's memory growth over 10,000 typed queries; then the Windows program's start-up
# time and memory under wine beside the same seven controls written directly on Win32, built the same way.
# usage: scripts/bench.sh [START-UP RUNS]   (default 15 of each program)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target tarnwick plain_window baseline_window soak_memory
/usr/bin/python3 bench/startup.py "${1:-15}" tarnwick=build-bench/app/tarnwick \
    "plain Qt=build-bench/bench/plain_window" "one label=build-bench/bench/baseline_window"
QT_QPA_PLATFORM=offscreen build-bench/bench/soak_memory

scripts/deps.sh windows
# The 32-bit program, as released, where this machine runs 32-bit programs; else the 64-bit build of
# the same sources stands in, in a 64-bit prefix.
no_32_bit=$(/usr/bin/python3 -c 'import sys; sys.path.insert(0, "tests/e2e"); import desktop
print("" if desktop.runs_32_bit_programs() else desktop.NO_32_BIT)')
arch=i686
if [[ -n $no_32_bit ]]; then
    echo "Note: $no_32_bit; the 64-bit builds stand in, in a 64-bit prefix."
    arch=x86_64
fi
cmake -S . -B "build-bench/windows-$arch" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTARNWICK_BENCH=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/mingw-$arch.cmake" >/dev/null
cmake --build "build-bench/windows-$arch" --target tarnwick baseline_win32
/usr/bin/python3 bench/startup.py --wine "$PWD/build-bench/wine-$arch" "${1:-15}" \
    "tarnwick.exe=build-bench/windows-$arch/tarnwick.exe" \
    "plain Win32=build-bench/windows-$arch/bench/baseline_win32.exe"

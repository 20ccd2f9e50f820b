#!/usr/bin/env bash
# Runs the benchmarks: start-up time and memory beside the plain-Qt window and a one-label window on a
# private Xvfb server, then the window's memory growth over 10,000 typed queries; then the Windows
# program's start-up time and memory under wine beside a one-label Win32 window built the same way.
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
cmake -S . -B build-bench/windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTARNWICK_BENCH=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/mingw-i686.cmake" >/dev/null
cmake --build build-bench/windows --target tarnwick baseline_win32
/usr/bin/python3 bench/startup.py --wine "$PWD/build-bench/wine" "${1:-15}" \
    tarnwick.exe=build-bench/windows/tarnwick.exe "one label=build-bench/windows/bench/baseline_win32.exe"

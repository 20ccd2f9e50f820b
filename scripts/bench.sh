#!/usr/bin/env bash
# Runs the benchmarks: start-up time and memory beside the plain-Qt window and a one-label window on a
# private Xvfb server, then the window's memory growth over 10,000 typed queries.
# usage: scripts/bench.sh [START-UP RUNS]   (default 15 of each program)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target tarnwick plain_window baseline_window soak_memory
/usr/bin/python3 bench/startup.py build-bench/app/tarnwick build-bench/bench/plain_window \
    build-bench/bench/baseline_window "${1:-15}"
QT_QPA_PLATFORM=offscreen build-bench/bench/soak_memory

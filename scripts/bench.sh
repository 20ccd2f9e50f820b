#!/usr/bin/env bash
# Runs the benchmarks: start-up time and memory beside a one-label Qt window on a private Xvfb server.
# usage: scripts/bench.sh [START-UP RUNS]   (default 15 of each program)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target tarnwick baseline_window
/usr/bin/python3 bench/startup.py build-bench/app/tarnwick build-bench/bench/baseline_window "${1:-15}"

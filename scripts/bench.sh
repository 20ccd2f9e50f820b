#!/usr/bin/env bash
# Runs the benchmarks: LookupCode and FillCodeTable beside their baselines (Google Benchmark), then
# start-up time and memory beside a one-label Qt window on a private Xvfb server.
# usage: scripts/bench.sh [START-UP RUNS]   (default 15 of each program)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target tarnwick bench_lookup baseline_window
build-bench/bench/bench_lookup --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json --benchmark_out=build-bench/lookup.json --benchmark_out_format=json >/dev/null
/usr/bin/python3 bench/ratios.py build-bench/lookup.json
/usr/bin/python3 bench/startup.py build-bench/app/tarnwick build-bench/bench/baseline_window "${1:-15}"

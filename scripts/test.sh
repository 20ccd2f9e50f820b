#!/usr/bin/env bash
# Builds tarnwick with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --timeout 300

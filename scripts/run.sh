#!/usr/bin/env bash
# Builds tarnwick (release) and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)" --target tarnwick
exec build/app/tarnwick

#!/usr/bin/env bash
# Regenerates docs/screenshot.png: the real window on a private X server, as the window test sees it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON >/dev/null
cmake --build build --parallel "$(nproc)" --target tarnwick grabwindow
mkdir -p docs
TARNWICK=build/app/tarnwick GRABWINDOW=build/tests/grabwindow TARNWICK_SCREENSHOT="$PWD/docs/screenshot.png" \
    /usr/bin/python3 tests/e2e/test_window.py WindowOnX.test_screenshot

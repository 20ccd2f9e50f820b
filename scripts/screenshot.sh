#!/usr/bin/env bash
# Regenerates docs/screenshot.png from the real window on a private X server; with --windows,
# docs/windows.png from the Windows program under wine, taken while the Windows checks run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON >/dev/null
cmake --build build --parallel "$(nproc)" --target tarnwick grabwindow
mkdir -p docs
if [[ "${1:-}" == --windows ]]; then
    scripts/windows.sh
    TARNWICK_SCREENSHOT="$PWD/docs/windows.png" GRABWINDOW="$PWD/build/tests/grabwindow" \
        ctest --test-dir build-windows/cmake -R 'wine_prefix|windows_checks' --output-on-failure
else
    /usr/bin/python3 tests/e2e/desktop.py screenshot build/app/tarnwick build/tests/grabwindow docs/screenshot.png
fi

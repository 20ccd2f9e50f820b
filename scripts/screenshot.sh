#!/usr/bin/env bash
# Regenerates docs/screenshot.png from the real window on a private X server; with --windows,
# docs/windows.png from the Windows program under wine (Windows 10 playing, wine's own fonts and those of
# the machine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON >/dev/null
cmake --build build --parallel "$(nproc)" --target tarnwick grabwindow
mkdir -p docs
if [[ "${1:-}" == --windows ]]; then
    scripts/deps.sh windows # wine, beside what the build needs
    scripts/windows.sh
    /usr/bin/python3 tests/e2e/desktop.py screenshot --wine "$PWD/build-windows/wine/screenshot" \
        build-windows/i686/tarnwick.exe build/tests/grabwindow docs/windows.png
else
    /usr/bin/python3 tests/e2e/desktop.py screenshot build/app/tarnwick build/tests/grabwindow docs/screenshot.png
fi

#!/usr/bin/env bash
# Builds tarnwick with its tests and runs every test: once as released (with the package checks and
# a bounded fuzzing run), once more under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer. The arm64 program is cross-built too, and its unit and window tests and package checks
# run under qemu-user.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/deps.sh arm64
jobs=$(nproc)

scripts/format.sh --check

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=ON -DTARNWICK_REQUIRE_ALL_TESTS=ON
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --timeout 600

started=$SECONDS
cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=scripts/aarch64-linux-gnu.cmake -DCMAKE_BUILD_TYPE=Release \
    -DTARNWICK_TESTS=ON -DTARNWICK_REQUIRE_ALL_TESTS=ON
cmake --build build-arm64 --parallel "$jobs"
ctest --test-dir build-arm64 --output-on-failure --timeout 600
echo "arm64: cross-built and tested under qemu-user in $((SECONDS - started)) s"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_TESTS=ON -DTARNWICK_SANITIZE=ON -DTARNWICK_REQUIRE_ALL_TESTS=ON
cmake --build build-asan --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/sanitizer/lsan.supp" \
    ctest --test-dir build-asan --output-on-failure --timeout 600
scripts/windows.sh --check # the Windows program: cross-built, packed, and checked under wine

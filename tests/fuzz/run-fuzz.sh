#!/usr/bin/env bash
# Builds the LookupCode fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for a bounded time.
# usage: tests/fuzz/run-fuzz.sh SECONDS [OUTPUT-FOLDER]     e.g. 60 for CI, 3600 for a long run
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
out=${2:-"$root/build/fuzz"}
mkdir -p "$out/corpus" "$out/crashes"

clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQT_NO_KEYWORDS -DQT_NO_CAST_FROM_ASCII -I"$root/core" -I"$root/ui/qt" $(pkg-config --cflags Qt6Core) \
    "$root"/core/codetable.cpp "$root"/core/coderows.cpp "$here/fuzz_lookup.cpp" \
    $(pkg-config --libs Qt6Core) -o "$out/fuzz_lookup"

# Seeds: codes in both cases, a miss, blanks, full-width letters, a lone surrogate, UTF-16LE.
/usr/bin/python3 - "$out/corpus" <<'PY'
import sys, pathlib
folder = pathlib.Path(sys.argv[1])
for i, text in enumerate(["ff", "FF", "0b", "a7", "3F", "", " f", "fff", "ＦＦ", "\ud83d", "代码"]):
    folder.joinpath(f"seed{i}").write_bytes(text.encode("utf-16-le", "surrogatepass"))
PY

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=32
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$out/fuzz_lookup" -max_total_time="$seconds" -max_len=64 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/" "$out/corpus"

#!/usr/bin/env bash
# Runs the real-display tests N times in a row, alone or two copies side by side, and counts the runs
# that passed and failed: a developer's check that they never flake (CI runs them once).
# usage: tests/e2e/repeat.sh N [--pair] [BUILD-FOLDER]     e.g. 20 --pair; the folder defaults to build
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
usage="usage: $0 N [--pair] [BUILD-FOLDER]"
runs=${1:?$usage}
shift
copies=1
if [[ ${1:-} == --pair ]]; then
    copies=2
    shift
fi
build=$(cd "${1:-$here/../../build}" && pwd) || exit 2
export TARNWICK="$build/app/tarnwick" SLOTPROBE="$build/tests/slotprobe" QT_LOGGING_RULES='qt.qpa.*=false'
if [[ ! -x $TARNWICK || ! -x $SLOTPROBE ]]; then
    echo "Build first: cmake --build $build --target tarnwick slotprobe" >&2
    exit 2
fi
logs=$(mktemp -d -t tarnwick-repeat-XXXXXX)

# One copy's run of every real-display test file; its output goes to a log of its own.
run_copy() {
    local log=$1 status=0
    for test in "$here"/test_*.py; do
        (cd "$logs" && /usr/bin/python3 "$test") >>"$log" 2>&1 || status=1
    done
    return $status
}

passed=0
failed=0
for ((run = 1; run <= runs; run++)); do
    pids=()
    for ((copy = 1; copy <= copies; copy++)); do
        run_copy "$logs/run$run-copy$copy.log" &
        pids+=($!)
    done
    for ((copy = 1; copy <= copies; copy++)); do
        if wait "${pids[copy - 1]}"; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            echo "run $run, copy $copy failed:"
            grep -E '^(FAIL|ERROR):|Error: ' "$logs/run$run-copy$copy.log" | sed 's/^/    /'
        fi
    done
done
if [[ $failed -eq 0 ]]; then
    rm -rf "$logs"
else
    echo "Logs: $logs"
fi
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]

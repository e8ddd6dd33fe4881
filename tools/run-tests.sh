#!/usr/bin/env bash
# Runs every test: static analysis, the host unit tests (ASan and UBSan), a short fuzz run,
# and the Windows end-to-end tests under Wine. Prints one summary at the end.
set -uo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0; failed=0; failures=()

stage() {  # stage NAME COMMAND...: runs a stage, counting the tests of its ctest summary
    local name=$1; shift
    local log="$build/test-$name.log"
    echo "== $name"
    "$@" >"$log" 2>&1
    local rc=$?
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [ -n "$line" ]; then
        local total fail
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
        fail=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$line")
        passed=$((passed + total - fail)); failed=$((failed + fail))
        echo "   $line"
    elif [ $rc -eq 0 ]; then
        passed=$((passed + 1)); echo "   ok"
    else
        failed=$((failed + 1))
    fi
    if [ $rc -ne 0 ]; then
        failures+=("$name")
        grep -E 'Failed|FAILED|error|Error|\(Failed\)|\*\*\*' "$log" | head -40
    fi
}

stage lint bash tools/lint.sh "$build"
stage unit ctest --test-dir "$build/host" --output-on-failure
stage repro bash tools/check-repro.sh
stage fuzz bash tools/fuzz.sh "$build/host" "${FUZZ_SECONDS:-30}"

stage e2e bash tools/e2e.sh "$build"
head -1 "$build/test-e2e.log"

echo
if [ ${#failures[@]} -gt 0 ]; then echo "failed stages: ${failures[*]}"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Runs each fuzz target for a set time: fuzz.sh HOST_BUILD SECONDS. Prints each target's count of
# runs; fails when any target reports a finding (its input is kept as HOST_BUILD/artifacts-*).
set -uo pipefail
host=${1:?host build folder}; seconds=${2:-30}
shopt -s nullglob
failed=0
for target in "$host"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$host/corpus-$name"; mkdir -p "$corpus"
    log="$host/fuzz-$name.log"
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$host/artifacts-$name-" "$corpus" >"$log" 2>&1
    rc=$?
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$log"
    if [ "$rc" -ne 0 ]; then
        echo "$name: finding (exit $rc); log in $log"
        failed=1
    fi
done
exit "$failed"

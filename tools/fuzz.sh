#!/usr/bin/env bash
# Runs each fuzz target for a set time: fuzz.sh HOST_BUILD SECONDS. Fails on the first finding.
set -euo pipefail
host=${1:?host build folder}; seconds=${2:-30}
shopt -s nullglob
for target in "$host"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$host/corpus-$name"; mkdir -p "$corpus"
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' || true
    test "${PIPESTATUS[0]}" -eq 0
done

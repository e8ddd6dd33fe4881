#!/usr/bin/env bash
# Memory benchmark (bench_memory.exe, make bench-memory): the committed memory one Sorvane process
# gains over 50 exports, 50 searches and 50 openings of the advanced dialog, after two warm-up
# rounds of each. Usage: bench/memory.sh BUILD_DIR   (after make build)
# With SORVANE_BEFORE_EXE=path/to/Sorvane.exe (an earlier build of the same variant) that build
# runs the same rounds afterwards, for a before/after comparison in one run.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export SORVANE_XVFB=1
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$build"
trap wine_env_stop EXIT
if [ -n "${SORVANE_BEFORE_EXE:-}" ]; then
    mkdir -p "$WINEPREFIX/drive_c/sorvane/before"
    cp "$SORVANE_BEFORE_EXE" "$WINEPREFIX/drive_c/sorvane/before/Sorvane.exe"
    export SORVANE_BEFORE_EXE='C:\sorvane\before\Sorvane.exe'
fi
SORVANE_EXE="$root/$build/$SORVANE_WIN/Sorvane.exe" bash tools/wine-run.sh "$root/$build/$SORVANE_WIN/bench_memory.exe" |
    tr -d '\r'

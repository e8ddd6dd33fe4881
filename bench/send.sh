#!/usr/bin/env bash
# Send and export benchmarks (bench_send.exe): Send All To of 200 files (1 GiB) against a bare
# ReadFile/WriteFile copy, and an export of 20,000 lines against one list round trip per line.
# Usage: bench/send.sh BUILD_DIR   (after make build; needs 3 GiB free for the fixtures)
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export SORVANE_XVFB=1
# On one CPU, as the search benchmark (see run.sh): unpinned, the export's round trip per line and
# the send's request for each next file cross CPUs, which costs more, and varies more, than the
# program's own work that the ratios are meant to show.
taskset -cp 1 $$ >/dev/null || echo "bench: cannot pin to CPU 1; the figures below vary more"
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$build"
# D: of its own for the run, so that the search benchmark's tree on the usual D: stays as it is.
own_d="$SORVANE_FIXTURES/send-bench-d"
mkdir -p "$own_d"
ln -sfn "$own_d" "$WINEPREFIX/dosdevices/d:"
restore() {
    ln -sfn "$SORVANE_FIXTURES/d" "$WINEPREFIX/dosdevices/d:"
    rm -rf "$own_d"
    wine_env_stop
}
trap restore EXIT
SORVANE_EXE="$root/$build/$SORVANE_WIN/Sorvane.exe" bash tools/wine-run.sh "$root/$build/$SORVANE_WIN/bench_send.exe"

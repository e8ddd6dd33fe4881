#!/usr/bin/env bash
# Refreshes the README's pictures (docs/*.png) from the real program under Wine and Xvfb.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export SORVANE_XVFB=1
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$build"
export SORVANE_SHOTS="$root/docs"
status=0
SORVANE_EXE="$root/$build/$SORVANE_WIN/Sorvane.exe" tools/wine-run.sh "$root/$build/$SORVANE_WIN/sorvane_shots.exe" || status=$?
wine_env_stop
ls -l docs/*.png
exit $status

#!/usr/bin/env bash
# Runs the end-to-end tests under Wine and Xvfb against the build that runs on this machine:
# e2e.sh BUILD_DIR [ctest arguments...]   (for example -R 'Export' to run some of them)
set -uo pipefail
build=${1:-build}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export SORVANE_XVFB=1
# Wine reads Linux file names in the locale's character set and takes its ANSI code page from the
# locale: UTF-8 names and the Western code page 1252. The tests of code page 932 set their own.
export LC_ALL=C.UTF-8
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$build"
# The tests of the shipped file read the 32-bit Sorvane.exe as data, whichever build they drive.
export SORVANE_SHIPPED_EXE="$root/$build/win/Sorvane.exe"
echo "end-to-end tests drive $build/$SORVANE_WIN/Sorvane.exe ($SORVANE_WINE_ARCH${SORVANE_WINE_WHY:+: $SORVANE_WINE_WHY})"
ctest --test-dir "$build/$SORVANE_WIN" --output-on-failure "$@"
rc=$?
wine_env_stop
exit $rc

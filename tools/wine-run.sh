#!/usr/bin/env bash
# Runs a Windows program under Wine, in the environment that tools/wine-env.sh exported.
# The test prefix has no Z: drive, so the program under test is copied to C:\sorvane, where the
# test driver finds it; the shipped 32-bit file, which the tests read as data, goes beside it.
set -e
: "${WINEPREFIX:?source tools/wine-env.sh first}"
if [ -n "${SORVANE_EXE:-}" ] && [ -f "$SORVANE_EXE" ]; then
    mkdir -p "$WINEPREFIX/drive_c/sorvane"
    cp -u "$SORVANE_EXE" "$WINEPREFIX/drive_c/sorvane/Sorvane.exe"
    export SORVANE_EXE='C:\sorvane\Sorvane.exe'
fi
if [ -n "${SORVANE_SHIPPED_EXE:-}" ] && [ -f "$SORVANE_SHIPPED_EXE" ]; then
    mkdir -p "$WINEPREFIX/drive_c/sorvane/shipped"
    cp -u "$SORVANE_SHIPPED_EXE" "$WINEPREFIX/drive_c/sorvane/shipped/Sorvane.exe"
    export SORVANE_SHIPPED_EXE='C:\sorvane\shipped\Sorvane.exe'
fi
cd "$WINEPREFIX/drive_c"
exec "$SORVANE_WINE" "$@"

#!/usr/bin/env bash
# Which Wine runs the program on this machine. Sourced by every script that starts Wine; this is
# the one place that decides. Exports:
#   SORVANE_WINE_ARCH   win32, or win64 where the kernel cannot execute 32-bit Linux programs (Wine's
#                       32-bit loader then fails with "Exec format error"); SORVANE_WINE_ARCH=win64
#                       in the environment forces the 64-bit path anywhere
#   SORVANE_WIN         the build folder whose programs run here: win (32-bit) or win64
#   SORVANE_WINE, SORVANE_WINESERVER   the loader and the server to call
# On the 64-bit path Debian's wrapper scripts (wine, wineboot, wineserver) must not be used: they
# start the 32-bit loader whenever wine32 is installed. The loader and server are called directly.
if [ "${SORVANE_WINE_ARCH:-}" = win64 ]; then
    SORVANE_WINE_WHY="SORVANE_WINE_ARCH=win64 is set"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    SORVANE_WINE_ARCH=win32
    SORVANE_WINE_WHY=""
else
    SORVANE_WINE_ARCH=win64
    SORVANE_WINE_WHY="this kernel cannot run 32-bit programs"
fi
export SORVANE_WINE_ARCH SORVANE_WINE_WHY
export WINEARCH=$SORVANE_WINE_ARCH
if [ "$SORVANE_WINE_ARCH" = win64 ]; then
    export SORVANE_WIN=win64
    export SORVANE_WINE=/usr/lib/wine/wine64 SORVANE_WINESERVER=/usr/lib/wine/wineserver64
    export WINELOADER=$SORVANE_WINE WINESERVER=$SORVANE_WINESERVER
else
    export SORVANE_WIN=win
    export SORVANE_WINE=wine SORVANE_WINESERVER=wineserver
fi

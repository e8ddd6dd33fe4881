#!/usr/bin/env bash
# Starts Sorvane.exe under Wine. On a desktop it opens on the user's display and runs until the
# user closes it. With no display it runs under Xvfb, saves a screenshot, prints its path and
# closes the program again. Where the kernel cannot run 32-bit programs, the 64-bit build of the
# same sources runs under wine64 instead (tools/wine-arch.sh).
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/wine-arch.sh
source "$root/tools/wine-arch.sh"
exe="$root/$build/$SORVANE_WIN/Sorvane.exe"
if [ "$SORVANE_WINE_ARCH" = win64 ]; then
    echo "$SORVANE_WINE_WHY; running the 64-bit build of the same sources under wine64"
fi
if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="$root/$build/wineprefix-run-$SORVANE_WINE_ARCH" WINEDEBUG=-all
    [ -f "$WINEPREFIX/system.reg" ] || "$SORVANE_WINE" wineboot -i >/dev/null 2>&1 || true
    # shellcheck source=tools/wine-fonts.sh
    source "$root/tools/wine-fonts.sh"
    wine_prefix_fonts || true
    exec "$SORVANE_WINE" "$exe"
fi
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh" "$root/$build"
(cd "$WINEPREFIX/drive_c" && "$SORVANE_WINE" "$exe") &
sleep 5
shot="$root/$build/sorvane-main.png"
xwd -root -silent | convert xwd:- -crop 950x710+200+50 +repage "$shot"
echo "Sorvane ran under Xvfb on $DISPLAY; screenshot of its main window: $shot"
wine_env_stop
wait || true

#!/usr/bin/env bash
# Starts Sorvane.exe under Wine. On a desktop it opens on the user's display and runs until the
# user closes it. With no display it runs under Xvfb, saves a screenshot, prints its path and
# closes the program again.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/$build/win/Sorvane.exe"
if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="$root/$build/wineprefix-run" WINEDEBUG=-all
    exec wine "$exe"
fi
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh" "$root/$build"
(cd "$WINEPREFIX/drive_c" && wine "$exe") &
sleep 5
shot="$root/$build/sorvane-main.png"
xwd -root -silent | convert xwd:- -crop 950x710+200+50 +repage "$shot"
echo "Sorvane ran under Xvfb on $DISPLAY; screenshot of its main window: $shot"
wine_env_stop
wait || true

#!/usr/bin/env bash
# Starts Sorvane.exe under Wine. On a desktop it opens on the user's display; with no display it
# runs under Xvfb, saves a screenshot and prints its path.
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
wine "$exe" &
sleep 4
shot="$root/$build/sorvane-main.png"
xwd -root -silent | convert xwd:- -crop 960x720+195+45 +repage "$shot"
echo "Sorvane is running under Xvfb on $DISPLAY; screenshot: $shot"
wait || true
wine_env_stop

#!/usr/bin/env bash
# Prepares a private Wine prefix and an X display for running the program and its tests.
# Usage: source tools/wine-env.sh BUILD_DIR   (exports WINEPREFIX, DISPLAY, SORVANE_FIXTURES and
#                                              what tools/wine-arch.sh decides)
#        wine_env_stop                         (stops the wineserver and our Xvfb)
# Drives in the prefix: C: (the prefix's own), D: fixed and E: removable on fixture folders,
# and nothing else, so that the program's drive lists are known.
_wine_build=$(cd "${1:?build folder}" && pwd)
# shellcheck source=tools/wine-arch.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"
export WINEPREFIX="$_wine_build/wineprefix-$SORVANE_WINE_ARCH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export SORVANE_FIXTURES="$_wine_build/fixtures"
mkdir -p "$SORVANE_FIXTURES/d" "$SORVANE_FIXTURES/e"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$SORVANE_WINE" wineboot -i >/dev/null 2>&1 || true
    "$SORVANE_WINESERVER" -w
fi
# The drive letters: C: stays, D: and E: point at the fixture folders, the rest goes.
for link in "$WINEPREFIX"/dosdevices/*; do
    case "$(basename "$link")" in c:|d:|e:) ;; *) rm -f "$link" ;; esac
done
ln -sfn "$SORVANE_FIXTURES/d" "$WINEPREFIX/dosdevices/d:"
ln -sfn "$SORVANE_FIXTURES/e" "$WINEPREFIX/dosdevices/e:"
# D: is a fixed disk and E: removable. Windows are not left to a window manager (there is none
# under Xvfb): otherwise Wine waits up to two seconds for one at every window that closes.
if [ ! -f "$WINEPREFIX/.sorvane-drives-2" ]; then
    "$SORVANE_WINE" reg add 'HKLM\Software\Wine\Drives' /v d: /d hd /f >/dev/null 2>&1
    "$SORVANE_WINE" reg add 'HKLM\Software\Wine\Drives' /v e: /d floppy /f >/dev/null 2>&1
    "$SORVANE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$SORVANE_WINESERVER" -w
    touch "$WINEPREFIX/.sorvane-drives-2"
fi
# The fonts and DPI of a Windows machine, so that text and dialogs measure as they do there.
# shellcheck source=tools/wine-fonts.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-fonts.sh"
wine_prefix_fonts || echo "wine-env: the prefix lacks Windows' fonts; text and dialogs measure otherwise" >&2

# A display: the user's own when there is one and SORVANE_XVFB is not set, else a private Xvfb.
if [ -z "${DISPLAY:-}" ] || [ -n "${SORVANE_XVFB:-}" ]; then
    exec {_xvfb_fd}<> <(:)
    Xvfb -displayfd "$_xvfb_fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _wine_xvfb_pid=$!
    read -r -t 20 _wine_display <&"$_xvfb_fd"
    exec {_xvfb_fd}<&-
    export DISPLAY=":$_wine_display"
fi
# One server for the whole session, started here with no pipes of ours open, so that a test runner
# that reads a program's output is never left waiting on a server or a service that inherited it.
"$SORVANE_WINESERVER" -k 2>/dev/null || true
"$SORVANE_WINESERVER" -w
"$SORVANE_WINESERVER" -p </dev/null >/dev/null 2>&1
"$SORVANE_WINE" cmd /c exit </dev/null >/dev/null 2>&1

wine_env_stop() {
    "$SORVANE_WINESERVER" -k 2>/dev/null || true
    if [ -n "${_wine_xvfb_pid:-}" ]; then kill "$_wine_xvfb_pid" 2>/dev/null || true; fi
}

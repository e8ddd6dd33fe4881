#!/usr/bin/env bash
# Gives a Wine prefix the fonts of a Windows machine at 96 DPI, so that the program measures and
# draws its text as it does there. Sourced by the scripts that make a prefix; wine_prefix_fonts
# needs WINEPREFIX (made already) and SORVANE_WINE, SORVANE_WINESERVER (tools/wine-arch.sh).
#
# Debian's Wine looks for its own fonts (System, MS Sans Serif, Tahoma, Marlett, ...) in a data
# folder that it names by a path with "..", which it then cannot open; without them the system
# font, "MS Sans Serif" and the caption buttons' Marlett all fall back to Liberation Sans, and the
# dialogs come out too small. So the prefix gets copies of them in C:\windows\Fonts.
# Wine has no "Times New Roman": Liberation Serif has its metrics and takes its name here.
SORVANE_WINE_FONTS=${SORVANE_WINE_FONTS:-/usr/share/wine/fonts}

# Does nothing in a prefix that has the current settings already; the marker's number goes up
# whenever they change, so that existing prefixes get them too.
wine_prefix_fonts() {
    local marker="$WINEPREFIX/.sorvane-fonts-1"
    [ -f "$marker" ] && return 0
    if [ ! -f "$SORVANE_WINE_FONTS/marlett.ttf" ]; then
        echo "wine-fonts: no Wine fonts in $SORVANE_WINE_FONTS (package fonts-wine; run make deps)" >&2
        return 1
    fi
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp "$SORVANE_WINE_FONTS"/*.ttf "$SORVANE_WINE_FONTS"/*.fon "$fonts/" || return 1
    # One Wine start for all the settings: regedit reads a file on C:, the one drive sure to be there.
    local reg="$WINEPREFIX/drive_c/windows/temp/sorvane-fonts.reg"
    mkdir -p "${reg%/*}"
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"Times New Roman"="Liberation Serif"' '' \
        '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
        '"LogPixels"=dword:00000060' '' >"$reg"
    "$SORVANE_WINE" regedit /S 'C:\windows\temp\sorvane-fonts.reg' </dev/null >/dev/null 2>&1
    local status=$?
    rm -f "$reg"
    [ $status -eq 0 ] || return $status
    "$SORVANE_WINESERVER" -w   # the registry is on disk before the marker says so
    touch "$marker"
}

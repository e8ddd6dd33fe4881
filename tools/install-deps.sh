#!/usr/bin/env bash
# Installs what building and testing need on Debian: the mingw-w64 toolchains (32- and 64-bit),
# Wine (32- and 64-bit) and the fonts its prefixes need, Xvfb, xwd and ImageMagick, clang,
# cppcheck, googletest, Python (for the benchmark tree and the release archive) and the Japanese
# locale (Wine's code page 932 for the tests of double-byte names). Quiet when everything is
# there already.
set -euo pipefail
need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
# Both Wine loaders: the 32-bit one where the kernel runs it, wine64 where it cannot
# (tools/wine-arch.sh decides at each run).
command -v wine >/dev/null && dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
# The fonts that tools/wine-fonts.sh puts into every prefix: Wine's own, and Liberation Serif for
# Times New Roman. Wine's packages only recommend them.
[ -f /usr/share/wine/fonts/marlett.ttf ] || need+=(fonts-wine)
[ -f /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf ] || need+=(fonts-liberation)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwd >/dev/null || need+=(x11-apps)
command -v convert >/dev/null && convert -version >/dev/null 2>&1 || need+=(imagemagick)
command -v cmake >/dev/null || need+=(cmake)
command -v clang++ >/dev/null || need+=(clang)
command -v cppcheck >/dev/null || need+=(cppcheck)
command -v python3 >/dev/null || need+=(python3)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -f /usr/share/i18n/locales/ja_JP ] || need+=(locales)
japanese() { locale -a 2>/dev/null | grep -ix 'ja_JP.utf-\?8' >/dev/null; }
[ ${#need[@]} -eq 0 ] && japanese && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi
japanese || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8

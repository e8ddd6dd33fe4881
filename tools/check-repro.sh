#!/usr/bin/env bash
# Builds the program and its archive twice, from the committed sources, in two separate folders,
# and compares the results byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 1 2; do
    mkdir -p "$work/tree$n"
    git -C "$root" archive HEAD | tar -x -C "$work/tree$n"
    cp -r "$root/.git" "$work/tree$n/.git"   # dist takes its file dates from the commit
    (cd "$work/tree$n" &&
        cmake -S . -B "b$n/win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "b$n/win" --target Sorvane -j2 >/dev/null &&
        bash tools/dist.sh "b$n" >/dev/null)
done
status=0
for f in "b1/win/Sorvane.exe b2/win/Sorvane.exe" "dist/Sorvane-1.0-win32.zip dist/Sorvane-1.0-win32.zip"; do
    set -- $f
    a=$(sha256sum <"$work/tree1/$1" | cut -c1-64); b=$(sha256sum <"$work/tree2/$2" | cut -c1-64)
    if [ "$a" = "$b" ]; then echo "same: $(basename "$1") $a"; else echo "DIFFERENT: $(basename "$1") $a $b"; status=1; fi
done
exit $status

#!/usr/bin/env bash
# Builds the 32-bit program (build/win, the one that ships) and its 64-bit variant from the same
# sources (build/win64), both with warnings as errors. The test programs, benchmarks and the
# screenshot taker are built where they run: beside the 32-bit program where the machine runs
# 32-bit Wine, beside the 64-bit one elsewhere. The end-to-end tests are compiled for the other
# variant too, so that test code that builds only for one (a callback's calling convention, a
# handle kept in a LONG) fails here rather than on the next machine.
set -euo pipefail
build=${1:-build}
jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=tools/wine-arch.sh
source tools/wine-arch.sh
cmake -S . -B "$build/win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B "$build/win64" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
for variant in win win64; do
    if [ "$variant" = "$SORVANE_WIN" ]; then
        cmake --build "$build/$variant" -j"$jobs"
    else
        cmake --build "$build/$variant" --target Sorvane sorvane_e2e -j"$jobs"
    fi
done

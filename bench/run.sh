#!/usr/bin/env bash
# The search benchmark (make bench): a tree of 100,000 files in 500 folders, 20,000 of them
# media, on the fixture drive D:; the bare walk and a bare round trip as floors; then the real
# program from the Start click to "Search Completed!" against those and an append to a list, the
# numbering pass, peak memory and the window's answers meanwhile. Then the send benchmark
# (bench/send.sh).
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export SORVANE_XVFB=1
# Every benchmark runs on one CPU, the Wine server and the display included: a cross-thread
# SendMessage between two CPUs costs several times as much and varies by some 40 % from run to
# run with where the scheduler puts the threads, which would drown the cost of a hit or of an
# exported line.
taskset -cp 1 $$ >/dev/null || echo "bench: cannot pin to CPU 1; the figures below vary more"
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh "$build"
trap wine_env_stop EXIT
win="$root/$build/$SORVANE_WIN"

tree="$SORVANE_FIXTURES/d"
if [ ! -f "$tree/bench/ready" ]; then
    echo "making the tree (100,000 files in 500 folders) ..."
    find "$tree" -mindepth 1 -delete
    python3 - "$tree/bench" <<'PY'
import os, sys
media = ["jpg", "png", "gif", "tif", "bmp", "mp3", "wma", "aac", "wav",
         "avi", "mp4", "wmv", "mkv", "mpg", "mov", "flv", "3gp"]
other = ["txt", "dat", "doc", "jpeg", "gz", "ini", "log", "xml"]
base = sys.argv[1]
for d in range(500):
    folder = os.path.join(base, "folder%03d" % d)
    os.makedirs(folder)
    for i in range(200):
        ext = media[(d + i) % len(media)] if i < 40 else other[i % len(other)]
        open(os.path.join(folder, "file%03d.%s" % (i, ext)), "w").close()
open(os.path.join(base, "ready"), "w").close()
PY
fi

mkdir -p "$WINEPREFIX/drive_c/sorvane"
cp "$win/Sorvane.exe" "$WINEPREFIX/drive_c/sorvane/Sorvane.exe"
cd "$WINEPREFIX/drive_c"
floor=$("$SORVANE_WINE" "$win/bench_floor.exe" 'D:' | tr -d '\r')
val() { sed -n "s/^$1=//p" <<<"$floor"; }
echo "tree: $(val files) files in $(val folders) folders (root included); bare round trip $(val roundtrip_us) us"
"$SORVANE_WINE" "$win/bench_sorvane.exe" 'C:\sorvane\Sorvane.exe' 'D:' "$(val walk_ms)" "$(val roundtrip_us)" \
    "$(val folders)" 20000 | tr -d '\r'
cd "$root"
trap - EXIT
wine_env_stop
bash bench/send.sh "$build"

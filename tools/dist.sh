#!/usr/bin/env bash
# Builds dist/Sorvane-1.0-win32.zip and its SHA-256 file from the current commit. The archive is
# the same bytes on every build of the same commit: fixed file order, dates and attributes.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
exe="$build/win/Sorvane.exe"
[ -f "$exe" ] || { echo "no $exe: build first" >&2; exit 1; }
stamp=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
mkdir -p dist
stage=$(mktemp -d)
cp "$exe" "$stage/Sorvane.exe"
sed 's/\r\?$/\r/' docs/README.txt >"$stage/README.txt"
sed 's/\r\?$/\r/' LICENSE >"$stage/LICENSE.txt"
python3 - "$stage" "$stamp" dist/Sorvane-1.0-win32.zip <<'PY'
import os, sys, time, zipfile
stage, stamp, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
date = time.gmtime(max(stamp, 315532800))[:6]
with zipfile.ZipFile(out, "w") as z:
    for name in ("Sorvane.exe", "README.txt", "LICENSE.txt"):
        info = zipfile.ZipInfo("Sorvane-1.0/" + name, date)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o100644 << 16
        info.create_system = 0
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
PY
rm -rf "$stage"
(cd dist && sha256sum Sorvane-1.0-win32.zip >Sorvane-1.0-win32.zip.sha256)
cat dist/Sorvane-1.0-win32.zip.sha256

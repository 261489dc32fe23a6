#!/usr/bin/env bash
# Packs the shipped 32-bit files and a short text for Windows users into
# build/velbrook-1.22.zip.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/build.sh" --program
source "$here/env.sh"
stage=$(mktemp -d)
cp "$SHIP_DIR/bin/velbrook.exe" "$SHIP_DIR/bin/dravel.dll" "$stage/"
cp "$VELBROOK_ROOT/docs/WINDOWS.txt" "$stage/README.txt"
rm -f "$BUILD_DIR/velbrook-1.22.zip"
(cd "$stage" && python3 -m zipfile -c "$BUILD_DIR/velbrook-1.22.zip" velbrook.exe dravel.dll README.txt)
rm -rf "$stage"
echo "dist: $BUILD_DIR/velbrook-1.22.zip"
python3 -m zipfile -l "$BUILD_DIR/velbrook-1.22.zip"

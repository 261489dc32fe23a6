#!/usr/bin/env bash
# Installs what is missing, configures the build trees once and builds them.
#   build.sh            everything: native (plain logic, its tests, sanitized),
#                       win32 (the shipped 32-bit program and its tests) and
#                       win64 (the same sources for 64-bit Windows). Every test
#                       program of both Windows builds is compiled on every
#                       machine, whichever of them this machine can run.
#   build.sh --program  only velbrook.exe and dravel.dll: the shipped build and
#                       the one this machine runs, and the Wine prefix.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/install.sh"
source "$here/env.sh"

configure() {  # dir [cmake args...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$VELBROOK_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}
build() {  # dir [targets...]: quiet unless it fails
  local dir=$1; shift
  local log="$dir/.build.log"
  ninja -j2 -C "$dir" "$@" >"$log" 2>&1 || { cat "$log" >&2; echo "build.sh: building $dir failed" >&2; exit 1; }
  grep -E 'warning:' "$log" || true
}
configure "$BUILD_DIR/win32" -DCMAKE_TOOLCHAIN_FILE="$VELBROOK_ROOT/cmake/mingw-i686.cmake"
configure "$BUILD_DIR/win64" -DCMAKE_TOOLCHAIN_FILE="$VELBROOK_ROOT/cmake/mingw-x86_64.cmake"

if [ "${1:-}" = --program ]; then
  for dir in $(printf '%s\n' "$SHIP_DIR" "$RUN_DIR" | sort -u); do
    build "$dir" velbrook dravel
  done
else
  configure "$BUILD_DIR/native"
  configure "$BUILD_DIR/native-sanitize" -DVELBROOK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  for dir in native native-sanitize win32 win64; do
    build "$BUILD_DIR/$dir"
  done
fi
"$here/wineprefix.sh"

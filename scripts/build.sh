#!/usr/bin/env bash
# Installs what is missing, configures the build trees once and builds them:
# native (plain logic and its tests), win32 (the shipped 32-bit program) and,
# where 32-bit code cannot run here, win64 (the same sources, for the tests).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/install.sh"
source "$here/env.sh"

configure() {  # dir [cmake args...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$VELBROOK_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}
configure "$BUILD_DIR/native"
configure "$BUILD_DIR/native-sanitize" -DVELBROOK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
wine_tests=ON
[ "$RUN_DIR" = "$SHIP_DIR" ] || wine_tests=OFF
configure "$BUILD_DIR/win32" -DCMAKE_TOOLCHAIN_FILE="$VELBROOK_ROOT/cmake/mingw-i686.cmake" \
  -DVELBROOK_WINE_TESTS=$wine_tests
ninja -j2 -C "$BUILD_DIR/native" | grep -v '^\[' || true
ninja -j2 -C "$BUILD_DIR/native-sanitize" | grep -v '^\[' || true
ninja -j2 -C "$BUILD_DIR/win32" | grep -v '^\[' || true
if [ "$RUN_DIR" != "$SHIP_DIR" ]; then
  configure "$RUN_DIR" -DCMAKE_TOOLCHAIN_FILE="$VELBROOK_ROOT/cmake/mingw-x86_64.cmake"
  ninja -j2 -C "$RUN_DIR" | grep -v '^\[' || true
fi
# ninja's status is lost in the pipes above; check the products instead.
for f in "$BUILD_DIR/native/native_tests" "$BUILD_DIR/native-sanitize/native_tests" "$SHIP_DIR/bin/velbrook.exe" "$SHIP_DIR/bin/dravel.dll" \
         "$RUN_DIR/bin/win32_tests.exe" "$RUN_DIR/bin/e2e_driver.exe"; do
  [ -f "$f" ] || { echo "build.sh: $f was not built" >&2; exit 1; }
done
"$here/wineprefix.sh"

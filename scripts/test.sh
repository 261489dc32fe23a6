#!/usr/bin/env bash
# Runs every suite: native, then the Win32 tests under Wine inside a private
# Xvfb. Exits non-zero when any suite fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
"$here/build.sh" || exit 1
source "$here/env.sh"

status=0
echo "== native tests"
ctest --test-dir "$BUILD_DIR/native" -j2 --output-on-failure || status=1
echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir "$BUILD_DIR/native-sanitize" -j2 --output-on-failure || status=1
echo "== fuzz smoke: each libFuzzer target over its corpus and fresh inputs"
"$here/fuzz.sh" --smoke || status=1
if [ "$RUN_DIR" != "$SHIP_DIR" ]; then
  echo "== shipped 32-bit files (this machine runs the Win32 tests as 64-bit code)"
  ctest --test-dir "$SHIP_DIR" -R '^shipped_files' --output-on-failure || status=1
fi
echo "== Win32 tests under Wine ($WINE_ARCH)"
"$here/with-xvfb.sh" ctest --test-dir "$RUN_DIR" --output-on-failure || status=1
echo "== end-to-end tests: the real program under Wine, driven by mouse and keyboard"
VELBROOK_BIN="$RUN_DIR/bin" "$here/with-xvfb.sh" python3 "$VELBROOK_ROOT/tests/e2e/e2e_test.py" || status=1
exit $status

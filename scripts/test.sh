#!/usr/bin/env bash
# Runs every suite: the layering check, the check that the documents name
# only tests that exist, the install script against stand-in package tools,
# native (plain and sanitized), the fuzz smoke, the shipped files' check,
# then the Win32 suite, each benchmark once, and the end-to-end suite under
# Wine inside a private Xvfb.
# Ends with one line per suite and exits non-zero
# when any suite fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# Installed first: which Wine runs here decides which build is tested.
"$here/install.sh" || exit 1
source "$here/env.sh"
echo "== Wine suites run on the $WINE_ARCH build: $WINE_WHY"
"$here/build.sh" || exit 1

logs=$BUILD_DIR/test-logs
rm -rf "$logs"
mkdir -p "$logs"
summary=()
total_passed=0 total_failed=0
status=0

# suite NAME COUNTER COMMAND...: runs the command with its output shown and
# kept; COUNTER reads "passed failed" from the log.
suite() {
  local name=$1 counter=$2; shift 2
  local log="$logs/$name.log" rc passed failed
  echo "== $name"
  "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  read -r passed failed < <($counter "$log")
  # A suite that ran nothing has failed, whatever its exit code says.
  if [ "$passed" -eq 0 ] && [ "$failed" -eq 0 ]; then rc=1; fi
  if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  [ "$rc" -eq 0 ] || status=1
  total_passed=$((total_passed + passed)) total_failed=$((total_failed + failed))
  summary+=("$(printf '%-16s %s' "$name:" "$passed passed, $failed failed")")
}
count_ctest() {
  sed -nE 's/.*tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\2 \1/p' "$1" |
    awk '{ print $1 - $2, $2 } END { if (NR == 0) print 0, 0 }'
}
count_unittest() {
  local ran failed
  ran=$(sed -nE 's/^Ran ([0-9]+) tests?.*/\1/p' "$1" | tail -1)
  failed=$(sed -nE 's/^FAILED \((.*)\)/\1/p' "$1" | grep -oE '[0-9]+' | awk '{ n += $1 } END { print n + 0 }')
  echo "$(( ${ran:-0} - ${failed:-0} )) ${failed:-0}"
}
count_lines() {  # one line per check: "...: ok" or "...: FAILED"
  echo "$(grep -cE ': ok( |$)' "$1") $(grep -c ': FAILED' "$1")"
}

suite layers count_lines "$here/check-layers.sh"
suite docs count_lines "$here/check-docs.sh"
suite install count_lines "$VELBROOK_ROOT/tests/install/install_test.sh"
suite native count_ctest ctest --test-dir "$BUILD_DIR/native" -j2 --output-on-failure
suite native-sanitize count_ctest ctest --test-dir "$BUILD_DIR/native-sanitize" -j2 --output-on-failure
suite fuzz-smoke count_lines "$here/fuzz.sh" --smoke
# Read from the files alone: ctest in the 32-bit build folder would start
# the 32-bit test program to list its tests, which a host without a 32-bit
# mode cannot do.
suite shipped-files count_lines "$here/check-shipped.sh" "$SHIP_DIR/bin/velbrook.exe" "$SHIP_DIR/bin/dravel.dll"
suite win32 count_ctest "$here/with-xvfb.sh" ctest --test-dir "$RUN_DIR" --output-on-failure
suite bench-smoke count_lines "$here/bench.sh" --smoke
# The end-to-end suite mounts a tiny full disk of its own; as root it runs in
# a private mount namespace, so that no other process ever sees that disk and
# it goes away with the suite, however the suite ends.
private_mounts=()
[ "$(id -u)" -ne 0 ] || private_mounts=(unshare --mount --propagation private env VELBROOK_PRIVATE_MOUNTS=1)
suite e2e count_unittest env VELBROOK_BIN="$RUN_DIR/bin" "${private_mounts[@]}" "$here/with-xvfb.sh" \
  python3 "$VELBROOK_ROOT/tests/e2e/e2e_test.py"

echo "== summary (Wine suites on the $WINE_ARCH build)"
printf '%s\n' "${summary[@]}"
echo "total: $total_passed passed, $total_failed failed"
exit $status

#!/usr/bin/env bash
# Prints the benchmarks: page building natively, then the real program's
# start-up, page switch, preview and sizes under Wine in a private Xvfb.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
"$BUILD_DIR/native/page_bench" --benchmark_min_time=0.5
# Each of Wine's server round trips waits for an idle core to wake, so the
# figures inside the program move with how idle the machine is: measured
# idle, then with one core kept busy by a plain shell loop for the run.
"$here/with-xvfb.sh" "$here/wine-run.sh" "$RUN_DIR/bin/switch_bench.exe" "idle machine"
( while :; do :; done ) &
busy=$!
trap 'kill "$busy" 2>/dev/null || true' EXIT
"$here/with-xvfb.sh" "$here/wine-run.sh" "$RUN_DIR/bin/switch_bench.exe" "one core kept busy"
kill "$busy" 2>/dev/null || true
wait "$busy" 2>/dev/null || true
echo "The busy figures stand for a user's machine: on Windows a page switch makes no server round trips"
echo "to wake an idle core for, and a desktop in use is seldom idle; the idle figures are Wine's on a still machine."
VELBROOK_BIN="$RUN_DIR/bin" VELBROOK_SHIP_BIN="$SHIP_DIR/bin" "$here/with-xvfb.sh" \
  python3 "$VELBROOK_ROOT/bench/wizard_bench.py"

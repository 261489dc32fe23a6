#!/usr/bin/env bash
# Prints the benchmarks: page building and reading natively (the largest
# pages the reader takes, hostile ones among them), then the real program's
# start-up, page switch, preview and sizes under Wine in a private Xvfb.
#   bench.sh          the figures (make bench)
#   bench.sh --smoke  each benchmark once, a few seconds in all, one
#                     "bench <name>: ok" or ": FAILED" line each (make test):
#                     a change that breaks a benchmark fails the tests
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
wizard_bench() {
  VELBROOK_BIN="$RUN_DIR/bin" VELBROOK_SHIP_BIN="$SHIP_DIR/bin" "$here/with-xvfb.sh" \
    python3 "$VELBROOK_ROOT/bench/wizard_bench.py" "$@"
}

if [ "${1:-}" = --smoke ]; then
  status=0
  smoke() {  # name command...: the benchmark ran to its end without an error
    local name=$1 out rc=0
    shift
    out=$("$@" 2>&1) || rc=$?
    # The benchmark library ends well even when a benchmark reported an error.
    if [ "$rc" -eq 0 ] && ! grep -q 'ERROR OCCURRED' <<<"$out"; then
      echo "bench $name: ok"
    else
      echo "bench $name: FAILED"
      tail -n 20 <<<"$out" | sed 's/^/    /'
      status=1
    fi
  }
  smoke page_bench "$BUILD_DIR/native/page_bench" --benchmark_min_time=0
  smoke switch_bench "$here/with-xvfb.sh" "$here/wine-run.sh" "$RUN_DIR/bin/switch_bench.exe" smoke once
  smoke wizard_bench wizard_bench --once
  exit $status
fi

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
wizard_bench

#!/usr/bin/env bash
# Prints the benchmarks: page building natively, then the real program's
# start-up, page switch and sizes under Wine in a private Xvfb.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
"$BUILD_DIR/native/page_bench" --benchmark_min_time=0.5
"$here/with-xvfb.sh" "$here/wine-run.sh" "$RUN_DIR/bin/switch_bench.exe"
VELBROOK_BIN="$RUN_DIR/bin" VELBROOK_SHIP_BIN="$SHIP_DIR/bin" "$here/with-xvfb.sh" \
  python3 "$VELBROOK_ROOT/bench/wizard_bench.py"

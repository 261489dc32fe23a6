#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each (or those that
# FUZZ_TARGETS names): for FUZZ_SECONDS seconds each (make fuzz), or, with
# --smoke, over the committed corpus and a few thousand fresh inputs (make
# test). Findings go to build/fuzz-findings.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
dir=$BUILD_DIR/fuzz
[ -f "$dir/build.ninja" ] || cmake -S "$VELBROOK_ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DVELBROOK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -j2 -C "$dir" | grep -v '^\[' || true
mkdir -p "$BUILD_DIR/fuzz-findings"
status=0
for target in ${FUZZ_TARGETS:-BuildPage ReadPage Paths LinkEntry Format DropAndImport}; do
  corpus=$VELBROOK_ROOT/fuzz/corpus/$target
  if [ "${1:-}" = --smoke ]; then
    # New inputs go to a scratch folder first in line; the committed corpus
    # only grows by hand.
    work=$BUILD_DIR/fuzz-smoke/$target
    rm -rf "$work"
    mkdir -p "$work"
    args=(-runs=3000 "$work" "$corpus")
  else
    work=$BUILD_DIR/fuzz-corpus/$target
    mkdir -p "$work"
    args=(-max_total_time="${FUZZ_SECONDS:-600}" "$work" "$corpus")
  fi
  # The page targets know the page's pieces. The reader takes inputs long
  # enough that a pass costing the square of the length shows as a hang:
  # a linear read of 256 KiB takes milliseconds, a quadratic one seconds.
  case $target in
    ReadPage) args+=(-dict="$VELBROOK_ROOT/fuzz/page.dict" -max_len=262144 -len_control=20 -timeout=2) ;;
    BuildPage) args+=(-dict="$VELBROOK_ROOT/fuzz/page.dict") ;;
  esac
  log=$BUILD_DIR/fuzz-findings/$target${1:+-smoke}.log
  if "$dir/fuzz_$target" -artifact_prefix="$BUILD_DIR/fuzz-findings/$target-" "${args[@]}" \
       >"$log" 2>&1; then
    echo "fuzz $target: ok ($(grep -a -E "^Done" "$log" | tail -1))"
  else
    echo "fuzz $target: FAILED, see $log"
    status=1
  fi
done
exit $status

#!/usr/bin/env bash
# Renews the screenshot gallery under docs/screenshots/ from the built
# program, in a private Xvfb.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
VELBROOK_BIN="$RUN_DIR/bin" "$here/with-xvfb.sh" python3 "$VELBROOK_ROOT/tests/e2e/gallery.py"

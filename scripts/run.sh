#!/usr/bin/env bash
# Builds and starts the wizard under Wine, on $DISPLAY if there is one,
# otherwise in a private Xvfb (headless: only screenshots will show it).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/build.sh" --program
source "$here/env.sh"
cd "$RUN_DIR/bin"
if [ -n "${DISPLAY:-}" ]; then
  exec "$VELBROOK_WINE" velbrook.exe
fi
echo "run.sh: no DISPLAY; running the wizard in a private Xvfb"
exec "$here/with-xvfb.sh" "$VELBROOK_WINE" velbrook.exe

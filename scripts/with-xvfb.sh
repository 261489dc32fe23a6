#!/usr/bin/env bash
# Runs a command inside a private Xvfb display that is started for it and
# stopped afterwards, whatever the command's outcome.
set -u
source "$(dirname "$0")/env.sh"
# A Wine server left from a run without this display would serve our
# programs a desktop that cannot draw.
wineserver -k >/dev/null 2>&1 || true
display=""
for n in $(seq 91 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with-xvfb.sh: no free display" >&2; exit 1; }
Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -e /tmp/.X11-unix/X$display ] && break
  sleep 0.05
done
export DISPLAY=:$display
"$@"
rc=$?
# End the prefix's processes while the display is still there.
wineserver -k >/dev/null 2>&1 || true
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $rc

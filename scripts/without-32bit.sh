#!/usr/bin/env bash
# Runs one command (`make test` unless given) as on a host whose CPU has no
# 32-bit mode, on a host that has one: for that run only, the 32-bit Wine
# loader cannot start anything ("Exec format error", exit code 126, as a
# shell reports an i386 program there), so the 64-bit stand-in is chosen,
# and wine64, which execs /usr/lib/wine/wine for a 32-bit program, cannot
# start one either. Every such attempt is listed at the end and fails the
# run: where the CPU really lacks the mode, Wine's answer to it varies
# (an error, or a silent exit code 0), and neither is a test result.
#
# The stand-in lies over the loader in a private mount namespace: other
# processes on this machine still see the real Wine, and the namespace goes
# away with the command, however it ends. Needs root.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
loader=/usr/lib/wine/wine

if [ "${VELBROOK_WITHOUT_32BIT:-}" != inside ]; then
  exec unshare --mount --propagation private env VELBROOK_WITHOUT_32BIT=inside "$0" "$@"
fi

stub=$(mktemp) attempts=$(mktemp) saved=$(mktemp -d)
trap 'rm -rf "$stub" "$attempts" "$saved"' EXIT
cat >"$stub" <<STUB
#!/bin/sh
# Asking for the version is how scripts/env.sh probes, and Wine's own set-up
# of a 64-bit prefix tries its 32-bit half and carries on without it, as it
# must on such a host; anything else is an attempt to start a 32-bit program.
case "\$*" in
  --version | *'syswow64\rundll32.exe setupapi,InstallHinfSection Wow64Install'*) ;;
  *) printf '%s\n' "\$*" >>"$attempts" ;;
esac
echo "\$0: cannot execute binary file: Exec format error" >&2
exit 126
STUB
chmod 755 "$stub"
if [ ! -e "$loader" ]; then
  # The 32-bit Wine is not installed here (a mirror in sync kept it away):
  # its folder is copied onto a tmpfs of this namespace to make room for the
  # stand-in, so that what tries to start it is still seen and listed.
  folder=$(dirname "$loader")
  cp -a "$folder/." "$saved/"
  mount -t tmpfs velbrook-wine "$folder"
  cp -a "$saved/." "$folder/"
  touch "$loader"
fi
mount --bind "$stub" "$loader"
if out=$("$loader" --version 2>&1); then
  echo "without-32bit.sh: $loader still starts ($out); giving up" >&2
  exit 1
fi
echo "== without-32bit.sh: $loader now fails: ${out##*: }"

cd "$here/.."
if [ $# -eq 0 ]; then set -- make test; fi
status=0
"$@" || status=$?
if [ -s "$attempts" ]; then
  echo "== without-32bit.sh: $(wc -l <"$attempts") attempt(s) to start a 32-bit program:"
  sed 's/^/    /' "$attempts"
  [ "$status" -ne 0 ] || status=1
else
  echo "== without-32bit.sh: nothing tried to start a 32-bit program"
fi
exit $status

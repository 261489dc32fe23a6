#!/usr/bin/env bash
# Runs one command (`make test` unless given) as on a host whose CPU has no
# 32-bit mode, on a host that has one: for that run only, the 32-bit Wine
# loader fails to start as every i386 program fails there ("Exec format
# error"), so the 64-bit stand-in is chosen and wine64 cannot start a 32-bit
# program either (it execs /usr/lib/wine/wine for one).
#
# The stub lies over the loader in a private mount namespace: other processes
# on this machine still see the real Wine, and the namespace, stub and all,
# is gone when the command ends, however it ends. Needs root.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
loader=/usr/lib/wine/wine

if [ "${VELBROOK_WITHOUT_32BIT:-}" != inside ]; then
  exec unshare --mount --propagation private env VELBROOK_WITHOUT_32BIT=inside "$0" "$@"
fi

# An ELF header no binary format takes (class and machine zero): execve
# answers ENOEXEC, as it does for an i386 program on such a CPU.
stub=$(mktemp)
trap 'rm -f "$stub"' EXIT
printf '\177ELF\0\0\0\0\0\0\0\0\0\0\0\0' >"$stub"
head -c 48 /dev/zero >>"$stub"
chmod 755 "$stub"
mount --bind "$stub" "$loader"
if out=$("$loader" --version 2>&1); then
  echo "without-32bit.sh: $loader still starts ($out); giving up" >&2
  exit 1
fi
echo "== without-32bit.sh: $loader now fails: ${out##*: }"

cd "$here/.."
if [ $# -eq 0 ]; then set -- make test; fi
"$@"

#!/usr/bin/env bash
# scripts/install.sh against stand-in apt-get, dpkg-query and dpkg that fail
# the way a package mirror in the middle of a sync does. One line a case:
# "NAME: ok" or "NAME: FAILED (why)".
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/scripts"
# A copy, so that its record of a missing 32-bit Wine stays in $work.
cp "$root/scripts/install.sh" "$work/scripts/"
log=$work/log

# MISSING: packages dpkg-query does not know; REFUSED: ones apt-get cannot
# install; apt-get update fails as a mirror in sync did.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
for p in $MISSING; do [ "$p" = "$3" ] && exit 1; done
printf 'install ok installed'
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >>"$LOG"
if [ "$1" = update ]; then
  echo "E: File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
  exit 100
fi
for p in "$@"; do
  for r in $REFUSED; do [ "$p" = "$r" ] && { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; }; done
done
exit 0
STUB
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "sleep $*" >>"$LOG"\n' >"$work/bin/sleep"
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
printf '#!/bin/sh\necho "npm $*" >>"$LOG"\n' >"$work/bin/npm"
chmod 755 "$work/bin/"*

status=0
# check NAME EXPECTED_EXIT MISSING REFUSED PATTERN...: runs the install and
# wants each extended-regex PATTERN in its output and log (!PATTERN: in
# neither).
check() {
  local name=$1 want=$2 missing=$3 refused=$4 out rc pattern; shift 4
  : >"$log"
  out=$(PATH="$work/bin:$PATH" MISSING=$missing REFUSED=$refused LOG=$log "$work/scripts/install.sh" 2>&1)
  rc=$?
  out+=$'\n'$(cat "$log")
  local why=""
  [ "$rc" -eq "$want" ] || why="exit $rc, not $want"
  for pattern in "$@"; do
    [ -z "$why" ] || break
    case $pattern in
      !*) ! echo "$out" | grep -qE -- "${pattern#!}" || why="a line matches '${pattern#!}'" ;;
      *) echo "$out" | grep -qE -- "$pattern" || why="no line matches '$pattern'" ;;
    esac
  done
  if [ -z "$why" ]; then echo "$name: ok"; else echo "$name: FAILED ($why)"; echo "$out" | sed 's/^/    /'; status=1; fi
}

check "nothing missing asks apt for nothing" 0 "" "" '!apt-get'
check "a mirror in sync: update retried with growing pauses, wine32 left out" 0 "xvfb wine32:i386" "wine32:i386" \
  '^sleep 10$' '^sleep 20$' '^sleep 40$' 'install.sh: some package indexes still fail' \
  '^apt-get install .* xvfb$' \
  '^install.sh: wine32:i386 cannot be installed now; the 64-bit build stands in for the shipped one in the Wine suites$'
check "the missing 32-bit Wine is not tried again at once" 0 "wine32:i386" "wine32:i386" '!apt-get'
check "any other package that cannot be installed fails the install and is named" 1 "xvfb chromium" "chromium" \
  '^install.sh: cannot install chromium$' '!cannot install.*xvfb'
exit $status

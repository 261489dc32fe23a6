#!/usr/bin/env bash
# scripts/install.sh against stand-in apt-get, apt-cache, dpkg-query, dpkg
# and more that fail the way a package mirror in the middle of a sync does.
# One line a case: "NAME: ok" or "NAME: FAILED (why)".
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/scripts"
# A copy, so that its record of a missing 32-bit Wine stays in $work.
cp "$root/scripts/install.sh" "$work/scripts/"
log=$work/log

# MISSING: packages dpkg-query does not know; REFUSED: ones apt-get cannot
# install; apt-get update fails as a mirror in sync did. SKEW: installed
# Multi-Arch "same" libraries whose amd64 candidate (2) is newer than the
# i386 one (1): apt-get refuses wine32:i386 unless they are pinned to 1, and
# brings in LIB-dep:i386 with each.
# REMOVES: what apt-get -s would remove; WINE_RC: the exit code of
# `wine --version`; ID: the user id; NO32: a host without a 32-bit mode.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
if [ -z "${3:-}" ]; then for l in libc6 $SKEW; do echo "$l amd64 same ii "; done; exit 0; fi
for p in $MISSING; do [ "$p" = "$3" ] && exit 1; done
printf 'install ok installed'
STUB
cat >"$work/bin/apt-cache" <<'STUB'
#!/bin/sh
echo "apt-cache $*" >>"$LOG"
[ "$1" = depends ] && { printf '%s:i386\n  Depends: libc6:i386\n' wine32 libc6 $SKEW; exit 0; }
shift
for a; do
  v=2; case " $SKEW " in *" ${a%:*} "*) [ "${a#*:}" = i386 ] && v=1 ;; esac
  printf '%s:\n  Candidate: %s\n' "${a%:amd64}" $v
done
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >>"$LOG"
if [ "$1" = update ]; then
  echo "E: File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
  exit 100
fi
refuse() { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; }
for p in "$@"; do
  for r in $REFUSED; do [ "$p" = "$r" ] && refuse; done
  [ "$p" = wine32:i386 ] && for l in $SKEW; do case " $* " in *" $l:i386=1 "*) ;; *) refuse ;; esac; done
done
[ "$2" = -s ] && for r in $REMOVES; do echo "Remv $r [1]"; done
[ "$2" = -s ] && for l in $SKEW; do echo "Inst $l-dep:i386 (1 Debian [i386])"; done
exit 0
STUB
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho "sleep $*" >>"$LOG"\n' >"$work/bin/sleep"
printf '#!/bin/sh\necho "${ID:-0}"\n' >"$work/bin/id"
printf '#!/bin/sh\necho "npm $*" >>"$LOG"\n' >"$work/bin/npm"
printf '#!/bin/sh\n[ -z "$NO32" ]\n' >"$work/bin/i386-exit"
printf '#!/bin/sh\necho "wine $*" >>"$LOG"\nexit "${WINE_RC:-0}"\n' >"$work/bin/wine"
chmod 755 "$work/bin/"*

status=0
# check NAME EXPECTED_EXIT MISSING REFUSED PATTERN...: runs the install and
# wants each extended-regex PATTERN in its output and log (!PATTERN: in
# neither). The record of a missing 32-bit Wine goes unless KEEP_STAMP is set.
check() {
  local name=$1 want=$2 missing=$3 refused=$4 out rc pattern; shift 4
  : >"$log"
  [ -n "${KEEP_STAMP:-}" ] || rm -f "$work/build/.wine32-unavailable"
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
KEEP_STAMP=1 check "the missing 32-bit Wine is not tried again at once" 0 "wine32:i386" "wine32:i386" '!apt-get'
ID=1000 check "not root, only the 32-bit Wine missing: the 64-bit build stands in" 0 "wine32:i386" "" \
  '^install.sh: wine32:i386 is not installed \(root could install it\)' '!apt-get'
SKEW=libgst check "wine32 refused for a newer amd64 library: both taken to the i386 version" 0 "wine32:i386" "" \
  '^apt-get install -y .*--allow-downgrades wine32:i386 wine64 libwine:amd64 libgst:amd64=1 libgst:i386=1$' \
  '^wine --version$' '!libc6:.*=' '!stands in'
SKEW=libgst check "wine32 refused with the i386 versions too: the 64-bit build stands in" 0 "wine32:i386" "wine32:i386" \
  '^apt-get install -s .* libgst:amd64=1 libgst:i386=1$' '!-y .*allow-downgrades' 'the 64-bit build stands in'
SKEW=libgst REMOVES=xvfb check "the i386 versions are not taken where apt would remove one of ours" 0 "wine32:i386" "" \
  'apt would remove xvfb$' '!-y .*allow-downgrades' 'the 64-bit build stands in'
SKEW=libgst REMOVES=tk-dev WINE_RC=1 check "Wine not starting after the i386 versions: they go back, and it is said" 1 "wine32:i386 libgst:i386" "" \
  '^apt-get install -y .*--allow-downgrades --purge wine32:i386- libgst:amd64 libgst:i386- tk-dev$' \
  '^apt-get purge -y -qq --allow-remove-essential libgst-dep:i386$' '^install.sh: Wine does not start'
SKEW=libgst NO32=1 check "a host without a 32-bit mode takes no i386 versions" 0 "wine32:i386" "" '!apt-cache' 'the 64-bit build stands in'
check "any other package that cannot be installed fails the install and is named" 1 "xvfb chromium" "chromium" \
  '^install.sh: cannot install chromium$' '!cannot install.*xvfb'
exit $status

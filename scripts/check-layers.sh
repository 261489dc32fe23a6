#!/usr/bin/env bash
# Checks that every #include of the program's own code runs downward through
# the layers, and prints the graph between folders (with --dot, as Graphviz
# input). The layers, top first: app, pages, wizard, framework, core; res is
# the ground everyone may use; dravel stands alone and pages may call it.
set -eu
cd "$(dirname "$0")/.."

rank() {
  case $1 in
    app) echo 5 ;; pages) echo 4 ;; wizard) echo 3 ;; framework) echo 2 ;; core) echo 1 ;;
    res) echo 0 ;; *) echo -1 ;;
  esac
}

edges=$(for dir in app pages wizard framework core dravel; do
  grep -o '^#include "[a-z0-9_]*/' "$dir"/*.h "$dir"/*.cpp 2>/dev/null |
    sed -E 's#^([a-z0-9_]+)/[^:]*:\#include "([a-z0-9_]+)/#\1 \2#'
done | sort | uniq -c)

if [ "${1:-}" = --dot ]; then
  echo "digraph layers {"
  echo "$edges" | awk '$2 != $3 { printf "  %s -> %s [label=%d];\n", $2, $3, $1 }'
  echo "}"
  exit 0
fi

bad=0
while read -r count from to; do
  [ "$from" = "$to" ] && continue
  ok=0
  if [ "$from" = dravel ]; then
    ok=0
  elif [ "$to" = dravel ]; then
    [ "$from" = pages ] && ok=1
  elif [ "$(rank "$to")" -ge 0 ] && [ "$(rank "$to")" -lt "$(rank "$from")" ]; then
    ok=1
  fi
  if [ $ok = 1 ]; then
    echo "  $from -> $to ($count)"
  else
    echo "  $from -> $to ($count): runs upward or sideways" >&2
    bad=1
  fi
done <<<"$edges"
# The bottom layer is plain logic, built natively without any Windows header.
if [ $bad = 0 ]; then echo "includes run downward: ok"; else echo "includes run downward: FAILED"; fi
if grep -lE '^\s*#\s*include\s*<windows.h>' core/*; then
  echo "core is free of <windows.h>: FAILED"
  bad=1
else
  echo "core is free of <windows.h>: ok"
fi
# Certificates are checked as Windows checks them: no flag that switches a
# check off may appear in the program's sources, not even for tests.
if grep -rnE 'IGNORE_CERT|SECURITY_FLAG_IGNORE|IGNORE_INVALID_CA|IGNORE_UNKNOWN_CA|IGNORE_REVOCATION' \
    app core framework wizard pages dravel; then
  echo "no certificate check is switched off: FAILED"
  bad=1
else
  echo "no certificate check is switched off: ok"
fi
exit $bad

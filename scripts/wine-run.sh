#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's quiet prefix: the emulator
# ctest uses for the Win32 tests. Needs DISPLAY to name a running X server.
set -u
source "$(dirname "$0")/env.sh"
[ -z "${VELBROOK_DPI:-}" ] || "$(dirname "$0")/wineprefix.sh" || exit 1
# Wine's helper processes inherit stderr; through a file they cannot keep
# ctest's pipe open after the test has ended.
err=$(mktemp)
"$VELBROOK_WINE" "$@" 2>"$err"
rc=$?
grep -v -E '^(wine: configuration|[0-9a-f]+:fixme:|wine: failed to open .*syswow64)' "$err" >&2
rm -f "$err"
# Said aloud for ctest: a Win32 test whose program printed PASSED and then
# ended badly fails on this line.
[ "$rc" -eq 0 ] || echo "wine-run.sh: $1 ended with exit code $rc" >&2
exit $rc

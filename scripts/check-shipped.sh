#!/usr/bin/env bash
# Checks the two shipped files: dravel.dll exports no names, velbrook.exe
# imports dravel by ordinal, and neither needs any DLL but Windows' own.
set -eu
exe=$1 dll=$2
objdump=i686-w64-mingw32-objdump
fail() { echo "FAIL: $*" >&2; exit 1; }

dll_dump=$($objdump -p "$dll")
echo "$dll_dump" | grep -q '\[Ordinal/Name Pointer\] Table' || fail "no export table in $dll"
names=$(echo "$dll_dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -c '\[' || true)
[ "$names" -eq 1 ] || fail "$dll exports names: $(echo "$dll_dump" | sed -n '/Name Pointer\] Table/,/^$/p')"

exe_dump=$($objdump -p "$exe")
dravel_imports=$(echo "$exe_dump" | sed -n '/DLL Name: dravel.dll/,/^$/p')
[ -n "$dravel_imports" ] || fail "$exe does not import dravel.dll"
for ordinal in 1 2; do
  echo "$dravel_imports" | grep -qE "^\s+8000000${ordinal}\s+${ordinal}\s+<none>" || fail "$exe does not import dravel ordinal $ordinal by ordinal"
done

system='^(kernel32|user32|gdi32|comdlg32|shell32|advapi32|comctl32|msvcrt|ole32)\.dll$'
for f in "$exe" "$dll"; do
  for d in $($objdump -p "$f" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    [ "$d" = dravel.dll ] && [ "$f" = "$exe" ] && continue
    echo "$d" | grep -qE "$system" || fail "$f needs $d"
  done
done
# Every function imported from Windows must be on the committed list, whose
# entries are all present on Windows XP: a new import fails here until
# someone checks it and adds it knowingly.
allowed=$(dirname "$0")/../tests/shipped-imports.txt
imports() {  # objdump -p text: "dll function" per line (POSIX classes: mawk knows no \s)
  echo "$1" | awk '
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
    /^$/ { dll = "" }
    dll != "" && dll != "dravel.dll" && $1 ~ /^[0-9a-f]+$/ && NF == 3 { print dll, $3 }'
}
exe_imports=$(imports "$exe_dump")
dll_imports=$(imports "$dll_dump")
[ -n "$exe_imports" ] || fail "no imports read from $exe: the check would pass anything"
[ -n "$dll_imports" ] || fail "no imports read from $dll: the check would pass anything"
unknown=$(printf '%s\n%s\n' "$exe_imports" "$dll_imports" | sort -u |
  grep -vxF -f <(grep -vE '^(#|$)' "$allowed") || true)
[ -z "$unknown" ] || fail "imports not on tests/shipped-imports.txt (add them only if Windows XP has them):
$unknown"
echo "shipped files: exports and imports by ordinal only, system DLLs only, every import known to XP"

#!/usr/bin/env bash
# Checks the two shipped files by reading them, never by starting them (a
# host without a 32-bit mode cannot): dravel.dll exports no names,
# velbrook.exe imports dravel by ordinal, neither needs any DLL but Windows'
# own nor any function Windows XP lacks (also among those the program loads
# when first called), the DLLs of publishing, Preview and the dialogs are
# among those, both headers ask for XP, and the
# program carries its manifest while the library carries none.
# One line per check, "<check>: ok" or "<check>: FAILED" and why; exits
# non-zero when any failed.
set -u
exe=$1 dll=$2
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres
here=$(cd "$(dirname "$0")" && pwd)
status=0
fail() { echo "$*" >&2; return 1; }
check() {  # name function: runs the function; what it prints is why it failed
  local name=$1 why
  if why=$("$2" 2>&1); then
    echo "$name: ok"
  else
    echo "$name: FAILED"
    echo "$why" | sed 's/^/    /'
    status=1
  fi
}

exe_dump=$($objdump -p "$exe") || exe_dump=
dll_dump=$($objdump -p "$dll") || dll_dump=
# What the program loads on first call ("dll function" a line), which
# objdump does not show.
exe_delayed=$(python3 "$here/delay-imports.py" "$exe") || exe_delayed=
dll_delayed=$(python3 "$here/delay-imports.py" "$dll") || dll_delayed=

no_export_names() {
  echo "$dll_dump" | grep -q '\[Ordinal/Name Pointer\] Table' || fail "no export table in $dll" || return
  local names
  names=$(echo "$dll_dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -c '\[' || true)
  [ "$names" -eq 1 ] || fail "$dll exports names: $(echo "$dll_dump" | sed -n '/Name Pointer\] Table/,/^$/p')"
}

dravel_by_ordinal() {
  local dravel_imports ordinal
  dravel_imports=$(echo "$exe_dump" | sed -n '/DLL Name: dravel.dll/,/^$/p')
  [ -n "$dravel_imports" ] || fail "$exe does not import dravel.dll" || return
  for ordinal in 1 2; do
    echo "$dravel_imports" | grep -qE "^\s+8000000${ordinal}\s+${ordinal}\s+<none>" ||
      fail "$exe does not import dravel ordinal $ordinal by ordinal" || return
  done
}

system_dlls_only() {
  local system='^(kernel32|user32|gdi32|comdlg32|shell32|advapi32|comctl32|msvcrt|ole32|wininet|crypt32)\.dll$' d
  for dump in "$exe_dump" "$dll_dump"; do
    for d in $(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
      [ "$d" = dravel.dll ] && [ "$dump" = "$exe_dump" ] && continue
      echo "$d" | grep -qE "$system" || fail "a shipped file needs $d" || return
    done
  done
  for d in $(printf '%s\n%s\n' "$exe_delayed" "$dll_delayed" | cut -d' ' -f1 | sort -u); do
    echo "$d" | grep -qE "$system" || fail "a shipped file loads $d on first call" || return
  done
}

# Only publishing, Preview, drops and the file and colour dialogs need
# these: the program loads them when first called, so that starting it
# loads none.
loaded_when_first_called() {
  local d static
  static=$(echo "$exe_dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  for d in comdlg32 shell32 ole32 wininet crypt32; do
    ! echo "$static" | grep -qx "$d.dll" || fail "$exe imports $d.dll at start" || return
    echo "$exe_delayed" | grep -q "^$d.dll " || fail "$exe does not load $d.dll on first call" || return
  done
  ! echo "$dll_dump" | grep -qiE '^\s*DLL Name: shell32\.dll' || fail "$dll imports shell32.dll at start" || return
  echo "$dll_delayed" | grep -q "^shell32.dll " || fail "$dll does not load shell32.dll on first call"
}

# Every function imported from Windows must be on the committed list, whose
# entries are all present on Windows XP: a new import fails here until
# someone checks it and adds it knowingly.
imports() {  # objdump -p text: "dll function" per line (POSIX classes: mawk knows no \s)
  echo "$1" | awk '
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
    /^$/ { dll = "" }
    dll != "" && dll != "dravel.dll" && $1 ~ /^[0-9a-f]+$/ && NF == 3 { print dll, $3 }'
}
imports_known_to_xp() {
  local exe_imports dll_imports unknown
  exe_imports=$(imports "$exe_dump")
  dll_imports=$(imports "$dll_dump")
  [ -n "$exe_imports" ] || fail "no imports read from $exe: the check would pass anything" || return
  [ -n "$dll_imports" ] || fail "no imports read from $dll: the check would pass anything" || return
  unknown=$(printf '%s\n%s\n%s\n%s\n' "$exe_imports" "$exe_delayed" "$dll_imports" "$dll_delayed" | sort -u |
    grep -vxF -f <(grep -vE '^(#|$)' "$here/../tests/shipped-imports.txt") || true)
  [ -z "$unknown" ] || fail "imports not on tests/shipped-imports.txt (add them only if Windows XP has them):
$unknown"
}

# Windows refuses a program whose header asks for a newer system than it is.
headers_ask_for_xp() {
  local dump field
  for dump in "$exe_dump" "$dll_dump"; do
    for field in MajorOSystemVersion:5 MinorOSystemVersion:1 MajorSubsystemVersion:5 MinorSubsystemVersion:1; do
      echo "$dump" | grep -qE "^${field%:*}[[:space:]]+${field#*:}\$" ||
        fail "a shipped file's header does not say ${field%:*} ${field#*:}" || return
    done
  done
}

# The resources as windres lists them: "<name> <type>" per resource.
resources() { $windres -J coff -O rc -i "$1" | sed -nE 's/^([0-9A-Za-z_]+) ([0-9]+) \/\*.*/\1 \2/p'; }
manifest_in_program_only() {
  local listed
  listed=$(resources "$exe") || fail "cannot read the resources of $exe" || return
  echo "$listed" | grep -qx '1 24' || fail "$exe has no manifest (resource type 24, id 1)" || return
  listed=$(resources "$dll") || true
  ! echo "$listed" | grep -q ' 24$' || fail "$dll carries a manifest"
}

check "dravel.dll exports no names" no_export_names
check "velbrook.exe imports dravel by ordinal" dravel_by_ordinal
check "system DLLs only" system_dlls_only
check "every import known to XP" imports_known_to_xp
check "publishing, Preview, drop and dialog DLLs loaded when first called" loaded_when_first_called
check "headers ask for Windows XP (5.1)" headers_ask_for_xp
check "manifest in velbrook.exe, none in dravel.dll" manifest_in_program_only
exit $status

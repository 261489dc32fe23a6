#!/usr/bin/env bash
# Checks that every test the documents name exists: GoogleTest names
# (`Suite.Name`, native and Win32), end-to-end tests (`test_...`) and fuzz
# targets (fuzz `Name`). One line per document.
set -u
cd "$(dirname "$0")/.."

bad=0
for doc in README.md docs/*.md; do
  missing=()
  for name in $(grep -oE '`[A-Z][A-Za-z0-9]*\.[A-Z][A-Za-z0-9_]*`' "$doc" | tr -d '`' | sort -u); do
    grep -rqE "TEST(_F|_P)?\(${name%%.*}, ${name#*.}\)" tests || missing+=("$name")
  done
  for name in $(grep -oE '`test_[a-z0-9_]+`' "$doc" | tr -d '`' | sort -u); do
    grep -qE "def $name\(" tests/e2e/*.py || missing+=("$name")
  done
  for name in $(grep -oE 'fuzz `[^;|]*' "$doc" | grep -oE '`[A-Za-z]+`' | tr -d '`' | sort -u); do
    grep -qE "void Fuzz$name\(" fuzz/fuzz_page.cpp || missing+=("fuzz $name")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "$doc names only tests that exist: ok"
  else
    echo "$doc names tests that do not exist (${missing[*]}): FAILED"
    bad=1
  fi
done
exit $bad

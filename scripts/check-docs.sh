#!/usr/bin/env bash
# Checks that every test the documents name exists: GoogleTest names
# (`Suite.Name`, native and Win32), end-to-end tests (`test_...`) and fuzz
# targets (fuzz `Name`), one line per document; and that every test that
# runs the program under Wine has a time limit of its own, so that one that
# hangs fails by its name instead of holding up the run.
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

# The Win32 tests as ctest lists them (the build this machine runs), and the
# end-to-end tests, whose one base class holds the limit.
source scripts/env.sh
unlimited=$(ctest --test-dir "$RUN_DIR" --show-only=json-v1 2>/dev/null | python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
print(len(tests) or "no tests listed")
for test in tests:
    if not any(p["name"] == "TIMEOUT" and p["value"] > 0 for p in test.get("properties", [])):
        print(test["name"])')
if [ "$(echo "$unlimited" | head -1)" -gt 0 ] 2>/dev/null && [ "$(echo "$unlimited" | wc -l)" -eq 1 ]; then
  echo "every Win32 test has a time limit: ok"
else
  echo "Win32 tests without a time limit ($(echo "$unlimited" | tail -n +2 | tr '\n' ' ')): FAILED"
  bad=1
fi
others=$(grep -hoE '^class [A-Za-z_]+\(unittest\.TestCase\)' tests/e2e/*.py | grep -v '^class TimeLimited(')
if [ -z "$others" ] && grep -q 'signal.alarm(self.seconds)' tests/e2e/e2e_test.py; then
  echo "every end-to-end test has a time limit: ok"
else
  echo "end-to-end tests outside the time-limited base ($others): FAILED"
  bad=1
fi
exit $bad

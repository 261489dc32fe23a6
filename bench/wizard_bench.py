#!/usr/bin/env python3
"""Figures of the real program under Wine, in one run: start-up (from
starting the program until its first page is shown) beside a minimal
dialog program started the same way, a page switch (Next> then <Back on a
filled wizard), and the sizes of the shipped files and the DLLs each
imports. Times are medians over several runs; they include Wine's own
start-up, which both programs pay alike.

The start-ups are measured in interleaved pairs (one of each, in turns
first), and the figure is the median of the pairs' ratios with its spread:
a noisy machine slows both of a pair alike, where whole runs of one program
after the other each caught a different moment of the noise. The second of
a pair finds Wine's server and the shared files warm from the first, so the
ratio is also given for each order apart; the figure to judge by is the
median over both orders.

With --once every step runs once: the smoke test that shows the benchmark
still runs to the end."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_test import BACK, BIN, CAPTIONS, CLIPBOARD, NEXT, WINE, Driver  # noqa: E402

SHIP = os.environ.get("VELBROOK_SHIP_BIN", BIN)
DELAY_IMPORTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts", "delay-imports.py")
ONCE = "--once" in sys.argv[1:]
RUNS = 1 if ONCE else int(os.environ.get("VELBROOK_BENCH_RUNS", "5"))
PAIRS = 2 if ONCE else max(15, int(os.environ.get("VELBROOK_BENCH_PAIRS", "15")))


def startup(drive, exe, caption):
    started = time.monotonic()
    program = subprocess.Popen([WINE, os.path.join(BIN, exe)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    drive("wait", caption)
    elapsed = time.monotonic() - started
    program.kill()
    program.wait()
    drive("gone", caption)
    return elapsed


def imports(path):
    """The DLLs a file imports from at start and those it loads when first
    called, how many functions each, and the Windows version its header
    asks for."""
    out = subprocess.run(["i686-w64-mingw32-objdump", "-p", path], capture_output=True, text=True).stdout
    dlls, functions, version = set(), 0, {}
    in_dll = False
    for line in out.splitlines():
        words = line.split()
        if "DLL Name:" in line:
            dlls.add(line.split(":", 1)[1].strip())
            in_dll = True
        elif not words:
            in_dll = False
        elif in_dll and len(words) == 3 and all(c in "0123456789abcdef" for c in words[0]):
            functions += 1
        elif words[0] in ("MajorSubsystemVersion", "MinorSubsystemVersion"):
            version[words[0]] = words[1]
    delayed = subprocess.run([sys.executable, DELAY_IMPORTS, path], capture_output=True, text=True).stdout.split()
    return "%s (%d functions) at start, %s (%d functions) when first called; needs Windows %s.%s" % (
        ", ".join(sorted(dlls)), functions, ", ".join(sorted(set(delayed[0::2]))) or "none", len(delayed) // 2,
        version.get("MajorSubsystemVersion", "?"), version.get("MinorSubsystemVersion", "?"))


def spread(ratios):
    if len(ratios) < 2:
        return "%.2f" % ratios[0]
    quartiles = statistics.quantiles(ratios, n=4)
    return "median %.2f, quartiles %.2f-%.2f, range %.2f-%.2f" % (
        statistics.median(ratios), quartiles[0], quartiles[2], min(ratios), max(ratios))


def main():
    drive = Driver()
    last = len(CAPTIONS) - 1  # the file name page, where leaving asks nothing once the clipboard is chosen
    try:
        ours, minimal, ratios = [], [], {True: [], False: []}
        for pair in range(PAIRS):
            first_ours = pair % 2 == 0
            if first_ours:
                ours.append(startup(drive, "velbrook.exe", CAPTIONS[0]))
            minimal.append(startup(drive, "minimal_dialog.exe", "Minimal dialog"))
            if not first_ours:
                ours.append(startup(drive, "velbrook.exe", CAPTIONS[0]))
            ratios[first_ours].append(ours[-1] / minimal[-1])
        print("start-up: velbrook.exe %.0f ms, minimal dialog %.0f ms (medians, %d interleaved pairs)" % (
            1000 * statistics.median(ours), 1000 * statistics.median(minimal), PAIRS))
        print("  ratio velbrook.exe / minimal dialog, both orders (the figure): %s" % spread(ratios[True] + ratios[False]))
        print("  velbrook.exe started first: %s" % spread(ratios[True]))
        print("  minimal dialog started first: %s" % spread(ratios[False]))

        program = subprocess.Popen([WINE, os.path.join(BIN, "velbrook.exe")], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        drive("wait", CAPTIONS[0])
        for page in range(1, last + 1):  # every page created once
            drive("click", CAPTIONS[page - 1], NEXT)
            drive("wait", CAPTIONS[page])
        drive("click", CAPTIONS[last], CLIPBOARD)  # so that leaving the last page asks nothing
        switches = []
        for _ in range(RUNS * 4):
            started = time.monotonic()
            drive("click", CAPTIONS[last], BACK)
            drive("wait", CAPTIONS[last - 1])
            drive("click", CAPTIONS[last - 1], NEXT)
            drive("wait", CAPTIONS[last])
            switches.append((time.monotonic() - started) / 2)
        print("page switch seen from outside: %.0f ms, most of it the driver's own clicking and waiting "
              "(median of %d)" % (1000 * statistics.median(switches), len(switches)))
        program.kill()
        program.wait()
    finally:
        drive.close()

    for name in ("velbrook.exe", "dravel.dll"):
        path = os.path.join(SHIP, name)
        print("%s (32-bit, stripped): %d KB, imports %s" % (name, os.path.getsize(path) // 1024, imports(path)))


if __name__ == "__main__":
    main()

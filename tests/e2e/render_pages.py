#!/usr/bin/env python3
"""Pictures of pages the program wrote, as Chromium shows them: every
folder under the first argument with a home page in it becomes
docs/rendered-<folder>.png; the folder "phone" as a phone shows it."""

import glob
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

DOCS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs")

for folder in sorted(glob.glob(os.path.join(sys.argv[1], "*"))):
    pages = [p for p in glob.glob(os.path.join(folder, "*")) if p.lower().endswith(".htm")]
    if pages:
        png = os.path.join(DOCS, "rendered-%s.png" % os.path.basename(folder))
        if os.path.basename(folder) == "phone":
            browser.phone_view(pages[0], png=png, height=640)
        else:
            browser.screenshot(pages[0], png, height=500 if os.path.basename(folder) == "plain" else 800)
        print("rendered", pages[0], "->", os.path.relpath(png))

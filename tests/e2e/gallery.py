#!/usr/bin/env python3
"""Writes the screenshot gallery under docs/screenshots/: the program's
windows as a user sees them, each cut out of the screen. Run inside an X
server with the build's Wine environment (`make screenshots` does both)."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_test import (BIN, BITMAP_FILE, BOX_CAPTION, CANCEL, CAPTIONS, FILE_NAME, FINISH, HELP, IDNO, IDOK, IDYES,  # noqa: E402
                      ITEM_ADD, LINK_ADD, NEXT, PREVIEW, USE_BITMAP, WINE, Driver)

ABOUT = 1028

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "screenshots")
# Shots at another DPI than 96 (VELBROOK_DPI, the prefix's) carry it in their names.
SUFFIX = "-%sdpi" % os.environ["VELBROOK_DPI"] if os.environ.get("VELBROOK_DPI") else ""
SLUGS = ["welcome", "title", "background", "text-color", "picture", "text", "items", "links", "footer",
         "publish", "file-name"]


def shoot(drive, caption, name):
    left, top, right, bottom = (int(v) for v in drive("rect", caption).split())
    drive("wait", caption)
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                    "+repage", os.path.join(OUT, name + SUFFIX + ".png")], check=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    folder = tempfile.mkdtemp(prefix="velbrook-gallery-")
    # Another page's background of the same name as this page's, for the
    # question before a copy replaces it.
    with open(os.path.join(folder, "back.gif"), "wb") as f:
        f.write(b"GIF89a")
    program = subprocess.Popen([WINE, os.path.join(BIN, "velbrook.exe")], cwd=folder,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    drive = Driver()
    try:
        drive("wait", CAPTIONS[0])
        # A dialog opened from a page: shot, then closed with `close`.
        extras = {
            0: [(ABOUT, "About Velbrook", "about", IDOK)],
            1: [(HELP, "Velbrook Help", "help", None)],
            6: [(ITEM_ADD, "Input the value of item", "item-dialog", CANCEL)],
            7: [(LINK_ADD, "Edit link", "link-dialog", CANCEL)],
        }
        for index, caption in enumerate(CAPTIONS):
            if index:
                drive("click", CAPTIONS[index - 1], NEXT)
                drive("wait", caption)
            shoot(drive, caption, "page-%02d-%s" % (index + 1, SLUGS[index]))
            for button, dialog, name, close in extras.get(index, []):
                drive("click", caption, button)
                drive("wait", dialog)
                shoot(drive, dialog, name)
                if close:
                    drive("click", dialog, close)
                    drive("gone", dialog)
            if index == 2:
                # A background picture that lies elsewhere, for the copy offer.
                drive("click", caption, USE_BITMAP)
                drive("click", caption, BITMAP_FILE)
                drive("type", "C:\\pictures\\back.gif")
            if index == 10:
                # The gallery's prefix has no program for .htm files.
                drive("click", caption, PREVIEW)
                drive("box")
                shoot(drive, BOX_CAPTION, "preview-error")
                drive("answer", IDOK)
                drive("click", caption, FILE_NAME)
                drive("type", "home.htm")
                drive("click", caption, FINISH)
                drive("box")
                shoot(drive, BOX_CAPTION, "copy-offer")
                drive("answer", IDYES)
                drive("box")
                shoot(drive, BOX_CAPTION, "replace-file")
                drive("answer", IDNO)
                drive("box")
                shoot(drive, BOX_CAPTION, "outcome")
                drive("answer", IDOK)
    finally:
        program.kill()
        drive.close()


if __name__ == "__main__":
    main()

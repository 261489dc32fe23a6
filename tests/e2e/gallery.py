#!/usr/bin/env python3
"""Writes the screenshot gallery under docs/screenshots/: the program's
windows as a user sees them, each cut out of the screen. Run inside an X
server with the build's Wine environment (`make screenshots` does both)."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_test import (BIN, BITMAP_FILE, BOX_CAPTION, CANCEL, CAPTIONS, FILE_NAME, FINISH, HEADER, HELP, IDNO,  # noqa: E402
                      IDOK, IDYES, IMPORT, ITEM_ADD, LINK_ADD, NEXT, PREVIEW, USE_BITMAP, WINDOW_TITLE, WINE, Driver,
                      windows_path)

ABOUT = 1028

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "screenshots")
# Shots at another DPI than 96 (VELBROOK_DPI, the prefix's) carry it in their names.
SUFFIX = "-%sdpi" % os.environ["VELBROOK_DPI"] if os.environ.get("VELBROOK_DPI") else ""
# Text of any script: typed as an emoji panel or an input method types it,
# and a Notepad file ("Unicode", UTF-16) imported.
TITLE = "\u041c\u043e\u0439 \u0441\u0430\u0439\u0442 \U0001F600 \u0395\u03bb\u03bb\u03ac\u03b4\u03b1"
HEADER_TEXT = "\u79c1\u306e\u30db\u30fc\u30e0\u30da\u30fc\u30b8"
NOTEPAD_TEXT = ("Gr\u00fc\u00dfe aus K\u00f6ln \u2013 12 \u20ac\r\n\u65e5\u672c\u8a9e\u306e\u6587\u7ae0\r\n"
                "\u041f\u0440\u0438\u0432\u0435\u0442 \U0001F600 \u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1")
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
    with open(os.path.join(folder, "notes.txt"), "wb") as f:
        f.write(b"\xff\xfe" + NOTEPAD_TEXT.encode("utf-16-le"))
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
            # At 96 DPI only: at 144 the driver's click into an edit does not take.
            if index == 1 and not SUFFIX:
                for control, text in ((WINDOW_TITLE, TITLE), (HEADER, HEADER_TEXT)):
                    drive("click", caption, control)
                    drive("unicode", text.encode("utf-8").decode("latin-1"))
                shoot(drive, caption, "title-any-script")
            if index == 5 and not SUFFIX:
                drive("click", caption, IMPORT)
                drive("wait", "Open")
                drive("type", windows_path(os.path.join(folder, "notes.txt")))
                drive("key", "return")
                drive("gone", "Open")
                shoot(drive, caption, "text-imported")
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

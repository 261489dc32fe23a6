#!/usr/bin/env python3
"""End-to-end tests: the real velbrook.exe under Wine, driven only through
real mouse and keyboard input (tests/e2e/driver.cpp), checked as a user
would check it: the messages shown, the file written, the clipboard, and
that the program ended.

Run inside an X server with the build's Wine environment (scripts/test.sh
does both). VELBROOK_BIN names the folder with velbrook.exe, dravel.dll and
e2e_driver.exe."""

import functools
import http.server
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import browser

BIN = os.environ.get("VELBROOK_BIN", "")
WINE = os.environ.get("VELBROOK_WINE", "wine")
# Each test's time limit: a run that hangs (a window that never comes, a
# driver that never answers) fails by its own name instead of holding up
# the suite. The slowest test takes well under half of it.
TEST_SECONDS = 120
# axe-core, which install.sh brings from the npm registry into the build tree.
AXE = os.path.join(BIN, "..", "..", "npm", "node_modules", "axe-core", "axe.min.js")

# Control ids of the wizard host and the pages used here.
FINISH, CANCEL, HELP, BACK, NEXT = 1, 2, 9, 6302, 6303
IDOK, IDYES, IDNO = 1, 6, 7
WINDOW_TITLE, FILE_NAME, CLIPBOARD = 1001, 1019, 1057
LIST_TITLE, ITEM_ADD, ITEM_VALUE = 1011, 1022, 1021
LINK_ADD, LINK_TITLE, LINK_REFERENCE, FAVORITES = 1023, 1015, 1002, 1014
LAST_UPDATED, STYLE_BLINKING, CENTER_LAST_UPDATED, EMAIL = 1035, 1038, 1039, 1017
HEADER, SUBHEADER, HTML3, CENTER_HEADER, CENTER_SUBHEADER, FIT_PHONE = 1002, 1003, 1004, 1031, 1032, 1062
SELECT_COLOR, USE_COLOR, USE_BITMAP, BITMAP_FILE, SOUND_FILE, FIXED = 1050, 1052, 1053, 1048, 1046, 1058
CHOOSE_TEXT_COLOR, CHOOSE_LINK_COLOR = 1055, 1057
INCLUDE_PICTURE, CENTER_PICTURE, FRAME_PICTURE, BROWSE_PICTURE, PICTURE_FILE = 1005, 1006, 1007, 1008, 1001
LANGUAGE, PICTURE_DESCRIPTION = 1063, 1064
PAGE_TEXT, FILE_BROWSE, STYLE_MARQUEE, PREVIEW, IMPORT = 1009, 1020, 1037, 1061, 1010
COLOR_DIALOG, COLOR_BASIC_BOX = "Color", 720
HELP_WINDOW, HELP_TEXT = "Velbrook Help", 100

CAPTIONS = [
    "Welcome to the Velbrook!",
    "Title and headers of the page",
    "Background color, picture and sound",
    "Text color",
    "Picture for the page",
    "Text of the page",
    "Items on the page",
    "Link to other pages",
    "Your e-mail adress",
    "Put the page on the web",
    "File name for the page",
]
BOX_CAPTION = "velbrook"

CREDIT = "<P>\r\n\r\n<EM>This page was created by Korvane's Velbrook v 1.22</EM>\r\n\r\n"
ONE_RUN_PAGE = (
    "<HTML>\r\n\r\n<META NAME=\"CREATOR\" CONTENT=\"The Velbrook v1.22\">\r\n\r\n<HEAD>\r\n"
    "<TITLE>\r\nMy page\r\n</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n<HR>\r\n\r\n" + CREDIT +
    "</BODY>\r\n\r\n</HTML>\r\n")
INITIAL_PAGE = ONE_RUN_PAGE.replace("<TITLE>\r\nMy page\r\n</TITLE>\r\n", "<!-- Insert Title here -->\r\n\r\n")


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"r": "\r", "n": "\n", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def ansi(text):
    """`text` as the driver types it: its code page 1252 bytes (the driver
    speaks latin-1, one character a byte)."""
    return text.encode("cp1252").decode("latin-1")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def keep(name, folder):
    """Keeps a written page and its files under VELBROOK_PAGES_OUT/name, for
    pictures of it (make screenshots)."""
    out = os.environ.get("VELBROOK_PAGES_OUT")
    if out:
        shutil.rmtree(os.path.join(out, name), ignore_errors=True)
        shutil.copytree(folder, os.path.join(out, name))


class Driver:
    """One driver process: a command a line in, one answer a line out."""

    def __init__(self):
        self.process = subprocess.Popen([WINE, os.path.join(BIN, "e2e_driver.exe")], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=None if os.environ.get("VELBROOK_E2E_TIMES") else subprocess.DEVNULL, text=True,
                                        encoding="latin-1")

    def __call__(self, *words):
        started = time.monotonic()
        try:
            return self._call(*words)
        finally:
            if os.environ.get("VELBROOK_E2E_TIMES") and time.monotonic() - started > 1:
                print("slow: %.1fs %s" % (time.monotonic() - started, " ".join(map(str, words))), file=sys.stderr)

    def _call(self, *words):
        self.process.stdin.write(" ".join(str(w) for w in words) + "\n")
        self.process.stdin.flush()
        answer = self.process.stdout.readline().rstrip("\n")
        if not answer.startswith("ok"):
            raise AssertionError("driver: %s -> %s" % (" ".join(map(str, words)), answer or "no answer"))
        return unescape(answer[3:])

    def close(self):
        self.process.stdin.close()
        self.process.stdout.close()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:  # stuck in a command of a test that ran out of time
            self.process.kill()
            self.process.wait()


class OutOfTime(Exception):
    pass


class TimeLimited(unittest.TestCase):
    """Every end-to-end test runs under a time limit of `seconds`."""

    seconds = TEST_SECONDS

    def run(self, result=None):
        def out_of_time(signum, frame):
            raise OutOfTime("%s ran past its limit of %d s" % (self.id(), self.seconds))
        previous = signal.signal(signal.SIGALRM, out_of_time)
        signal.alarm(self.seconds)
        try:
            return super().run(result)
        finally:
            signal.alarm(0)
            signal.signal(signal.SIGALRM, previous)


class ProgramTest(TimeLimited):
    """Each test starts the program in a fresh working folder."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="velbrook-e2e-")
        self.drive = Driver()
        self.start()
        self.drive("wait", CAPTIONS[0])

    def start(self, *arguments):
        self.program = subprocess.Popen([WINE, os.path.join(BIN, "velbrook.exe"), *arguments], cwd=self.folder,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.page = 0  # where the wizard is



    def tearDown(self):
        if self.program.poll() is None:
            self.program.kill()
        self.drive.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    # What a user does.
    def next_to(self, page):
        while self.page < page:
            self.drive("click", CAPTIONS[self.page], NEXT)
            self.page += 1
            self.drive("wait", CAPTIONS[self.page])

    def fill(self, caption, control, text):
        self.drive("click", caption, control)
        self.drive("type", text)

    def add_item(self, text):
        self.drive("click", CAPTIONS[6], ITEM_ADD)
        self.fill("Input the value of item", ITEM_VALUE, text)
        self.drive("click", "Input the value of item", IDOK)
        self.drive("gone", "Input the value of item")

    def add_link(self, reference, title):
        self.drive("click", CAPTIONS[7], LINK_ADD)
        self.fill("Edit link", LINK_TITLE, title)
        self.fill("Edit link", LINK_REFERENCE, reference)
        self.drive("click", "Edit link", IDOK)
        self.drive("gone", "Edit link")

    def message(self):
        caption, _, text = self.drive("box").partition("|")
        self.assertEqual(BOX_CAPTION, caption)
        return text

    def answer(self, button):
        self.drive("answer", button)

    def assert_ended(self):
        self.assertEqual(0, self.program.wait(timeout=30))

    def finish_with_the_page(self, target):
        """Finish on the last page: the page is written to `target`, and the
        program ends after its message."""
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % target, self.message())
        self.answer(IDOK)
        self.assert_ended()

    def assert_file_error_ends(self, target):
        """The page file could not be written: message 2, then the warning."""
        self.assertEqual("Error while file operation!", self.message())
        self.answer(IDOK)
        self.assertEqual("It is possible that the bad home page file (%s) has been created." % target, self.message())
        self.answer(IDOK)
        self.assert_ended()

    def read(self, name):
        with open(os.path.join(self.folder, name), "rb") as f:
            return f.read().decode("latin-1")



class WizardRun(ProgramTest):
    def test_title_and_file_name_write_the_one_run_example(self):
        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, "My page")
        self.next_to(10)
        target = windows_path(os.path.join(self.folder, "home.htm"))
        self.fill(CAPTIONS[10], FILE_NAME, target)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % target, self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual(ONE_RUN_PAGE, self.read("home.htm"))
        document = browser.Document(browser.rendered_dom(os.path.join(self.folder, "home.htm")))
        self.assertEqual("My page", document.text("title"))
        self.assertEqual([], document.links)
        keep("plain", self.folder)

    def test_lists_links_and_footer_reach_the_page(self):
        self.next_to(6)
        self.fill(CAPTIONS[6], LIST_TITLE, "My games")
        self.add_item("Chess")
        self.add_item("Go")
        self.next_to(7)
        self.add_link("one.htm", "Chapter 1 : Start")
        self.add_link("mailto:me@example.org", "Mail me")
        self.drive("click", CAPTIONS[7], FAVORITES)
        self.next_to(8)
        self.drive("click", CAPTIONS[8], LAST_UPDATED)
        self.drive("click", CAPTIONS[8], CENTER_LAST_UPDATED)
        self.drive("click", CAPTIONS[8], STYLE_BLINKING)
        self.fill(CAPTIONS[8], EMAIL, "me@example.org")
        self.next_to(10)
        self.fill(CAPTIONS[10], FILE_NAME, "home.htm")
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page (home.htm)!", self.message())
        self.answer(IDOK)
        self.assert_ended()
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "favorites.html"),
                  "rb") as f:
            favorites = f.read().decode("latin-1")
        expected = (
            INITIAL_PAGE.split("<P>\r\n\r\n<EM>")[0] +
            "<P>\r\n\r\nMy games<UL>\r\n<LI>Chess\r\n<LI>Go\r\n\r\n</UL>\r\n\r\n"
            "\r\n<P>\r\n\r\n<UL>\r\n<LI><A HREF=\"one.htm\">one.htm</A> Chapter 1 : Start<BR>\r\n"
            "<LI><A HREF=\"mailto:me@example.org\">mailto:me@example.org</A> Mail me<BR>\r\n" + favorites +
            "\r\n</UL>\r\n"
            "<P>\r\n\r\n<!-- \"Last updated\" field -->\r\n<CENTER>\r\n<FONT SIZE=1><BLINK>"
            "Last updated at TIME\r\n</BLINK>\r\n</FONT></CENTER>\r\n" + CREDIT +
            "<HR>\r\n\r\n<P>My e-mail address:\r\n<ADDRESS>\r\n<A HREF=\"mailto:me@example.org\">me@example.org</A>\r\n"
            "</ADDRESS>\r\n\r\n<P>\r\n</BODY>\r\n\r\n</HTML>\r\n")
        pattern = re.escape(expected).replace("TIME", r"\d\d:\d\d:\d\d \d\d\.\d\d\.\d\d \((Mon|Tue|Wed|Thu|Fri|Sat|Sun)\)")
        self.assertRegex(self.read("home.htm"), "^" + pattern + "$")

    def pick_color(self, caption, button):
        """Opens the colour dialog and picks a basic colour with the mouse."""
        self.drive("click", caption, button)
        self.drive("wait", COLOR_DIALOG)
        # The box has the focus from the start, so the driver cannot tell a
        # press it let go by; a second press on the same colour is harmless.
        self.drive("click", COLOR_DIALOG, COLOR_BASIC_BOX)
        self.drive("click", COLOR_DIALOG, COLOR_BASIC_BOX)
        self.drive("click", COLOR_DIALOG, IDOK)
        self.drive("gone", COLOR_DIALOG)

    def choose_file(self, dialog, name):
        """Types a name into the common file dialog, as a user would."""
        self.drive("wait", dialog)
        self.drive("type", name)
        self.drive("key", "return")
        self.drive("gone", dialog)

    def test_every_page_filled(self):
        elsewhere = os.path.join(self.folder, "pictures")
        os.mkdir(elsewhere)
        subprocess.run(["convert", "-size", "32x32", "xc:#f4f8fc", "-fill", "#dde8f4", "-draw", "circle 16,16 18,16",
                        os.path.join(elsewhere, "bg.gif")], check=True)
        subprocess.run(["convert", "-size", "160x120", "gradient:#3a7bd5-#f6d55c", os.path.join(elsewhere, "me.gif")],
                       check=True)
        with open(os.path.join(elsewhere, "bg.gif"), "rb") as f:
            background = f.read()
        with open(os.path.join(self.folder, "tune.mid"), "wb") as f:
            f.write(b"MThd")

        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, "All of it")
        self.fill(CAPTIONS[1], HEADER, "Welcome")
        self.fill(CAPTIONS[1], SUBHEADER, "to my page")
        for box in (CENTER_HEADER, CENTER_SUBHEADER, HTML3):
            self.drive("click", CAPTIONS[1], box)
        self.next_to(2)
        self.drive("click", CAPTIONS[2], USE_COLOR)
        self.pick_color(CAPTIONS[2], SELECT_COLOR)
        self.drive("click", CAPTIONS[2], USE_BITMAP)
        self.fill(CAPTIONS[2], BITMAP_FILE, windows_path(os.path.join(elsewhere, "bg.gif")))
        self.drive("click", CAPTIONS[2], FIXED)
        self.fill(CAPTIONS[2], SOUND_FILE, "tune.mid")
        self.next_to(3)
        self.pick_color(CAPTIONS[3], CHOOSE_TEXT_COLOR)
        self.pick_color(CAPTIONS[3], CHOOSE_LINK_COLOR)
        self.next_to(4)
        for box in (INCLUDE_PICTURE, CENTER_PICTURE, FRAME_PICTURE):
            self.drive("click", CAPTIONS[4], box)
        self.drive("click", CAPTIONS[4], BROWSE_PICTURE)
        self.choose_file("Open", windows_path(os.path.join(elsewhere, "me.gif")))
        self.next_to(5)
        self.fill(CAPTIONS[5], PAGE_TEXT, "Hello <B>world</B>")
        self.next_to(6)
        self.fill(CAPTIONS[6], LIST_TITLE, "Games")
        self.add_item("Chess")
        self.next_to(7)
        self.add_link("https://example.org/", "Example : site")
        self.drive("click", CAPTIONS[7], FAVORITES)
        self.next_to(8)
        for control in (LAST_UPDATED, CENTER_LAST_UPDATED, STYLE_MARQUEE):
            self.drive("click", CAPTIONS[8], control)
        self.fill(CAPTIONS[8], EMAIL, "me@example.org")
        self.next_to(10)
        self.drive("click", CAPTIONS[10], CLIPBOARD)
        self.drive("click", CAPTIONS[10], FILE_BROWSE)
        # The dialog opens where the last one was; a full name is plain.
        self.choose_file("Save As", windows_path(os.path.join(self.folder, "home")))
        page_file = self.drive("text", CAPTIONS[10], FILE_NAME)
        self.assertEqual(windows_path(os.path.join(self.folder, "home.HTM")).lower(), page_file.lower(),
                         "the save dialog added its extension")
        self.drive("click", CAPTIONS[10], FINISH)

        offer = ("The %s is not in the Home Page (%s) directory. Some browsers will cannot locate %s. "
                 "Do You want to copy %s to the directory where the Home Page places?")
        bg = windows_path(os.path.join(elsewhere, "bg.gif"))
        self.assertEqual(offer % (bg, page_file, bg, bg), self.message())
        self.answer(IDYES)
        # A reference without a directory is offered too (from the current
        # directory); then the picture.
        self.assertIn("The tune.mid is not in the Home Page", self.message())
        self.answer(IDNO)
        self.assertIn("me.gif is not in the Home Page", self.message())
        self.answer(IDNO)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % page_file, self.message())
        self.answer(IDOK)
        self.assert_ended()

        page = self.read(os.path.basename(page_file.replace("\\", "/")))
        self.assertEqual(page, self.drive("clipboard"))
        self.assertTrue(page.startswith("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 3.0//EN\">\r\n"))
        self.assertRegex(page, r'<BODY BGCOLOR=#[0-9A-F]{6} BACKGROUND="bg.gif" TEXT=#[0-9A-F]{6} '
                               r'LINK=#[0-9A-F]{6} BGPROPERTIES="FIXED">\r\n\r\n<BGSOUND SRC="tune.mid">')
        self.assertNotIn("BGCOLOR=#000000", page, "a colour was picked")
        for piece in ("<TITLE>\r\nAll of it\r\n</TITLE>", "<CENTER>\r\n<H1>\r\nWelcome\r\n</H1>\r\n</CENTER>",
                      "<CENTER>\r\n<TABLE BORDER=4 CELLPADDING=8>\r\n<TR>\r\n<TD>\r\n<IMG SRC=\"me.gif\">",
                      "<P>\r\n\r\nHello <B>world</B>\r\n", "Games<UL>\r\n<LI>Chess\r\n",
                      "<A HREF=\"https://example.org/\">https://example.org/</A> Example : site<BR>",
                      "<MARQUEE>Last updated at ", "<A HREF=\"mailto:me@example.org\">me@example.org</A>"):
            self.assertIn(piece, page)
        self.assertEqual(background.decode("latin-1"), self.read("bg.gif"), "Yes copied the background next to the page")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "me.gif")), "No copied nothing")
        shutil.copy(os.path.join(elsewhere, "me.gif"), self.folder)  # as the user would, to look at the page
        self.check_in_browser(os.path.join(self.folder, os.path.basename(page_file.replace("\\", "/"))))
        keep("full", self.folder)

        # Opened again and finished with no change: the same page but for its
        # time, and no copy offer, since every file is read beside the page.
        self.start(page_file)
        self.drive("wait", CAPTIONS[0])
        self.next_to(10)
        self.assertEqual(page_file, self.drive("text", CAPTIONS[10], FILE_NAME))
        self.finish_with_the_page(page_file)
        time_line = re.compile(r"Last updated at [^\r]*")
        again = self.read(os.path.basename(page_file.replace("\\", "/")))
        self.assertEqual(time_line.sub("", page), time_line.sub("", again))

    def check_in_browser(self, path):
        """What a reader of the page finds in the document a browser builds."""
        document = browser.Document(browser.rendered_dom(path))
        self.assertEqual("All of it", document.text("title"))
        self.assertEqual("Welcome", document.text("h1"))
        self.assertEqual("to my page", document.text("h2"))
        self.assertEqual(["me.gif"], document.images)
        self.assertEqual("Chess", " ".join(document.items[0].split()))
        self.assertIn("https://example.org/", document.links)
        self.assertIn("https://developer.mozilla.org/en-US/docs/Learn", document.links, "the favourite links")
        self.assertEqual(["mailto:me@example.org"], document.address_links)
        self.assertIn("Hello world", document.text("body"))
        self.assertIn("This page was created by Korvane's Velbrook v 1.22", document.text("em"))

    def test_phone_tick_fits_the_page_to_a_phone_and_untick_restores_it(self):
        """Ticked, a phone shows the page at its own width, a wide picture
        shrunk; the page opened again and unticked is the desktop page of
        today, which a phone scales down."""
        subprocess.run(["convert", "-size", "600x150", "gradient:#3a7bd5-#f6d55c",
                        os.path.join(self.folder, "wide.gif")], check=True)
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, "On a phone")
        self.fill(CAPTIONS[1], HEADER, "Welcome")
        self.drive("click", CAPTIONS[1], CENTER_HEADER)
        self.drive("click", CAPTIONS[1], FIT_PHONE)
        self.next_to(4)
        for box in (INCLUDE_PICTURE, CENTER_PICTURE, FRAME_PICTURE):
            self.drive("click", CAPTIONS[4], box)
        self.fill(CAPTIONS[4], PICTURE_FILE, windows_path(os.path.join(self.folder, "wide.gif")))
        self.next_to(5)
        self.fill(CAPTIONS[5], PAGE_TEXT, "A line of text long enough to wrap on the narrow screen of a phone.")
        self.next_to(10)
        self.fill(CAPTIONS[10], FILE_NAME, page_file)
        self.finish_with_the_page(page_file)
        fitted = self.read("home.htm")
        viewport = "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n"
        self.assertIn("<HEAD>\r\n" + viewport + "<TITLE>", fitted)
        self.assertIn("<IMG SRC=\"wide.gif\" STYLE=\"max-width:100%\">\r\n", fitted)
        on = browser.phone_view(os.path.join(self.folder, "home.htm"))
        self.assertEqual(1, on["scale"], "shown at the phone's own scale: %s" % on)
        self.assertLessEqual(on["layoutWidth"], 390, "no wider than the screen: %s" % on)
        natural, shown = on["pictures"][0]
        self.assertEqual(600, natural)
        self.assertLess(shown, 390, "the wide picture shrinks to the screen: %s" % on)
        keep("phone", self.folder)

        # Opened again, the tick is read back: one click takes it off.
        self.start(page_file)
        self.drive("wait", CAPTIONS[0])
        self.next_to(1)
        self.drive("click", CAPTIONS[1], FIT_PHONE)
        self.next_to(10)
        self.finish_with_the_page(page_file)
        self.assertEqual(fitted.replace(viewport, "").replace(" STYLE=\"max-width:100%\"", ""), self.read("home.htm"))
        off = browser.phone_view(os.path.join(self.folder, "home.htm"))
        self.assertLess(off["scale"], 0.5, "a desktop page, scaled down: %s" % off)
        self.assertGreater(off["layoutWidth"], 390, off)
        self.assertEqual(600, off["pictures"][0][1], "the picture at its own width: %s" % off)

    def focus_id(self):
        return int(self.drive("focus").rsplit(" ", 1)[1])

    def tab_to(self, wanted):
        """Presses Tab until the focus is on one of the controls `wanted`."""
        for _ in range(12):
            if self.focus_id() in wanted:
                return
            self.drive("key", "tab")
        self.fail("Tab never reached %s" % sorted(wanted))

    def test_keyboard_alone_makes_the_page(self):
        host_buttons = {FINISH, CANCEL, HELP, BACK, NEXT}
        self.tab_to(host_buttons)
        self.drive("key", "alt+n")
        self.drive("wait", CAPTIONS[1])
        self.drive("key", "t")  # the "&Title of the Home Page" label, typed on a host button
        self.assertEqual(WINDOW_TITLE, self.focus_id())
        self.drive("type", "My page")
        self.drive("key", "alt+n")  # typed in the title edit, it is the host's Next>
        self.drive("wait", CAPTIONS[2])
        self.assertIn(self.focus_id(), host_buttons)
        for page in range(3, 11):
            self.drive("key", "n")
            self.drive("wait", CAPTIONS[page])
        self.tab_to({FILE_NAME})
        self.drive("type", "home.htm")
        self.drive("key", "return")
        self.assertEqual("Congratulations! You've been created new Home Page (home.htm)!", self.message())
        self.drive("key", "return")
        self.assert_ended()
        self.assertEqual(ONE_RUN_PAGE, self.read("home.htm"))

    def test_dropped_files_reach_the_page(self):
        with open(os.path.join(self.folder, "story.txt"), "wb") as f:
            f.write(b"Dropped <I>words</I>\r\nsecond line")
        os.mkdir(os.path.join(self.folder, "out"))
        self.next_to(5)
        self.drive("drop", CAPTIONS[5], PAGE_TEXT, windows_path(os.path.join(self.folder, "story.txt")))
        self.next_to(10)
        target = windows_path(os.path.join(self.folder, "out", "dropped.htm"))
        self.drive("drop", CAPTIONS[10], FILE_NAME, target)
        self.assertEqual(target, self.drive("text", CAPTIONS[10], FILE_NAME))
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % target, self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertIn("<P>\r\n\r\nDropped <I>words</I>\r\nsecond line\r\n", self.read("out/dropped.htm"))

    def test_back_and_next_keep_what_was_entered(self):
        self.next_to(1)
        self.fill(CAPTIONS[1], HEADER, "Kept")
        self.drive("click", CAPTIONS[1], CENTER_HEADER)
        self.next_to(6)
        self.add_item("Still here")
        for page in range(6, 0, -1):
            self.drive("click", CAPTIONS[page], BACK)
            self.drive("wait", CAPTIONS[page - 1])
        self.page = 0
        self.next_to(1)
        self.assertEqual("Kept", self.drive("text", CAPTIONS[1], HEADER))
        self.next_to(10)
        self.drive("click", CAPTIONS[10], CLIPBOARD)
        self.drive("click", CAPTIONS[10], FINISH)
        self.message()
        self.answer(IDOK)
        self.assert_ended()
        page = self.drive("clipboard")
        self.assertIn("<CENTER>\r\n<H1>\r\nKept\r\n</H1>\r\n</CENTER>", page)
        self.assertIn("<LI>Still here\r\n", page)

    def test_clipboard_only(self):
        self.next_to(10)
        self.drive("click", CAPTIONS[10], CLIPBOARD)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page ()!", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual(INITIAL_PAGE, self.drive("clipboard"))
        self.assertEqual([], os.listdir(self.folder), "nothing is written")

        self.tearDown()  # a second run, with another program holding the clipboard throughout
        self.setUp()
        self.next_to(10)
        self.drive("click", CAPTIONS[10], CLIPBOARD)
        self.drive("hold")
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("The home page could not be put on the clipboard.", self.message())
        self.answer(IDOK)
        self.assertEqual("It is possible that the bad home page file () has been created.", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.drive("release")

    def test_neither_output_asks_no_stays_yes_ends(self):
        self.next_to(10)
        self.drive("click", CAPTIONS[10], FINISH)
        question = ("No file name given and text will not be placed into the clipboard. "
                    "Would You like to abandon Your work?")
        self.assertEqual(question, self.message())
        self.drive("key", "f1")
        self.drive("wait", HELP_WINDOW)
        self.assertTrue(self.drive("text", HELP_WINDOW, HELP_TEXT).startswith("No output chosen\r\n"),
                        "F1 in the question shows its own topic")
        self.answer(IDNO)
        self.drive("wait", CAPTIONS[10])
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual(question, self.message())
        self.answer(IDYES)
        self.assertEqual("No home page created.", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual([], os.listdir(self.folder))

    def test_cancel_and_escape_from_later_pages(self):
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.drive("key", "escape")
        self.assertEqual("The Velbrook was fully completed.\nThere is no home page created.", self.message())
        self.answer(IDOK)
        self.assert_ended()

        self.tearDown()  # a second run, cancelled on the last page
        self.setUp()
        self.next_to(10)
        self.fill(CAPTIONS[10], FILE_NAME, "never.htm")
        self.drive("click", CAPTIONS[10], CANCEL)
        self.assertEqual("The Velbrook was fully completed.\nThere is no home page created.", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual([], os.listdir(self.folder))

    def test_page_file_in_a_missing_directory(self):
        self.next_to(10)
        target = windows_path(os.path.join(self.folder, "missing", "home.htm"))
        self.fill(CAPTIONS[10], FILE_NAME, target)
        self.drive("click", CAPTIONS[10], CLIPBOARD)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assert_file_error_ends(target)
        self.assertEqual(INITIAL_PAGE, self.drive("clipboard"), "the clipboard was filled before the file failed")

    def test_agreed_copy_of_a_file_already_beside_the_page(self):
        # Started in the page's directory, "pic.gif" there is the very file
        # the copy would make; the question is asked all the same.
        # Another page's background, "bg.gif", lies beside it too, and this
        # page's own is another file of that name: replacing it is asked.
        with open(os.path.join(self.folder, "pic.gif"), "wb") as f:
            f.write(b"GIF89a picture")
        with open(os.path.join(self.folder, "bg.gif"), "wb") as f:
            f.write(b"GIF89a another page's background")
        os.mkdir(os.path.join(self.folder, "pics"))
        with open(os.path.join(self.folder, "pics", "bg.gif"), "wb") as f:
            f.write(b"GIF89a this page's background")
        self.next_to(2)
        self.drive("click", CAPTIONS[2], USE_BITMAP)
        self.fill(CAPTIONS[2], BITMAP_FILE, "pics\\bg.gif")
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.fill(CAPTIONS[4], PICTURE_FILE, "pic.gif")
        self.next_to(10)
        target = windows_path(os.path.join(self.folder, "home.htm"))
        self.fill(CAPTIONS[10], FILE_NAME, target)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertIn("The pics\\bg.gif is not in the Home Page (%s) directory." % target, self.message())
        self.answer(IDYES)
        self.assertEqual("The Home Page directory already has another file named %s. Do You want to replace it with "
                         "pics\\bg.gif?" % windows_path(os.path.join(self.folder, "bg.gif")), self.message())
        self.answer(IDNO)
        self.assertIn("The pic.gif is not in the Home Page (%s) directory." % target, self.message())
        self.answer(IDYES)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % target, self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual("GIF89a picture", self.read("pic.gif"))
        self.assertEqual("GIF89a another page's background", self.read("bg.gif"))
        self.assertIn("<IMG SRC=\"pic.gif\">", self.read("home.htm"))
        self.assertIn("<BODY BACKGROUND=\"bg.gif\"", self.read("home.htm"))

    def test_a_page_written_back_to_a_full_disk_is_kept_whole(self):
        if os.environ.get("VELBROOK_PRIVATE_MOUNTS") != "1":
            self.skipTest("a full disk is mounted only in a private mount namespace, as root (scripts/test.sh)")
        self.drive("click", CAPTIONS[0], CANCEL)
        self.message()
        self.answer(IDOK)
        self.assert_ended()
        # The new page is larger than all the room the old one takes, which
        # a page written in place would use up before it failed.
        with open(os.path.join(self.folder, "long.txt"), "wb") as f:
            f.write(b"A long story.\r\n" * 600)
        disk = os.path.join(self.folder, "disk")
        web = os.path.join(disk, "web")
        os.mkdir(disk)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "velbrook-full", disk], check=True)
        self.addCleanup(subprocess.run, ["umount", "-l", disk])
        os.mkdir(web)
        with open(os.path.join(web, "home.htm"), "w", newline="") as f:
            f.write(ONE_RUN_PAGE)
        filler = os.open(os.path.join(disk, "filler"), os.O_WRONLY | os.O_CREAT)
        try:
            while os.write(filler, b"x" * 4096):
                pass
        except OSError:
            pass
        os.close(filler)

        target = windows_path(os.path.join(web, "home.htm"))
        self.start(target)
        self.drive("wait", CAPTIONS[0])
        self.next_to(5)
        self.drive("drop", CAPTIONS[5], PAGE_TEXT, windows_path(os.path.join(self.folder, "long.txt")))
        self.next_to(10)
        self.assertEqual(target, self.drive("text", CAPTIONS[10], FILE_NAME))
        self.drive("click", CAPTIONS[10], FINISH)
        self.assert_file_error_ends(target)
        with open(os.path.join(web, "home.htm"), "rb") as f:
            self.assertEqual(ONE_RUN_PAGE, f.read().decode("latin-1"))
        self.assertEqual(["home.htm"], os.listdir(web))

    def test_a_file_that_is_no_page_starts_the_wizard_empty(self):
        self.drive("click", CAPTIONS[0], CANCEL)
        self.message()
        self.answer(IDOK)
        self.assert_ended()
        notes = "<HTML><BODY>Not made by the wizard</BODY></HTML>\r\n"
        with open(os.path.join(self.folder, "notes.htm"), "w", newline="") as f:
            f.write(notes)
        path = windows_path(os.path.join(self.folder, "notes.htm"))
        self.start(path)
        self.assertEqual("The file %s cannot be read as a home page made by the Velbrook. The Velbrook starts with "
                         "empty pages." % path, self.message())
        self.answer(IDOK)
        self.drive("wait", CAPTIONS[0])
        self.next_to(1)
        self.assertEqual("", self.drive("text", CAPTIONS[1], WINDOW_TITLE))
        self.next_to(10)
        self.assertEqual("", self.drive("text", CAPTIONS[10], FILE_NAME))
        self.drive("click", CAPTIONS[10], CANCEL)
        self.message()
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual(notes, self.read("notes.htm"))

    def register_htm_program(self, command):
        """Makes `command` the program that opens .htm files in the test
        prefix, until the test ends; None: a type no program opens."""
        def reg(*words):
            return subprocess.run([WINE, "reg", *words], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  text=True, encoding="latin-1")
        before = re.search(r"REG_SZ\s+(\S.*)", reg("query", r"HKCR\.htm", "/ve").stdout or "")
        reg("add", r"HKCR\.htm", "/ve", "/d", "VelbrookPreviewStandIn", "/f")
        if command is not None:
            reg("add", r"HKCR\VelbrookPreviewStandIn\shell\open\command", "/ve", "/d", command, "/f")

        def restore():
            reg("delete", r"HKCR\VelbrookPreviewStandIn", "/f")
            if before:
                reg("add", r"HKCR\.htm", "/ve", "/d", before.group(1).strip(), "/f")
            else:
                reg("delete", r"HKCR\.htm", "/f")
        self.addCleanup(restore)

    def test_preview_opens_the_page_with_the_picture_where_it_lies(self):
        os.mkdir(os.path.join(self.folder, "pics"))
        picture = windows_path(os.path.join(self.folder, "pics", "me.gif"))
        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, "My page")
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.fill(CAPTIONS[4], PICTURE_FILE, picture)
        self.next_to(10)
        target = windows_path(os.path.join(self.folder, "home.htm"))
        self.fill(CAPTIONS[10], FILE_NAME, target)

        self.register_htm_program(None)
        self.drive("click", CAPTIONS[10], PREVIEW)
        self.assertIn("The preview could not be shown", self.message())
        self.answer(IDOK)
        self.drive("wait", CAPTIONS[10])

        # A stand-in "browser": keeps a copy of what it was given, and its name.
        opened = os.path.join(self.folder, "opened")
        os.mkdir(opened)
        self.register_htm_program('cmd.exe /c echo "%%1"> "%s" & copy /y "%%1" "%s"' % (
            windows_path(os.path.join(opened, "name.txt")), windows_path(os.path.join(opened, "page.htm"))))
        self.drive("click", CAPTIONS[10], FILE_NAME)
        self.drive("key", "alt+v")  # Pre&view, from the file name edit
        copy = os.path.join(opened, "page.htm")
        deadline = time.monotonic() + 30
        while not (os.path.exists(copy) and os.path.getsize(copy) > 0) and time.monotonic() < deadline:
            time.sleep(0.2)
        time.sleep(0.5)  # copy may still be writing
        with open(copy, "rb") as f:
            page = f.read().decode("latin-1")
        self.assertIn("<TITLE>\r\nMy page\r\n</TITLE>", page)
        self.assertIn('<IMG SRC="file:///%s">' % picture.replace("\\", "/"), page)
        with open(os.path.join(opened, "name.txt"), "rb") as f:
            name = f.read().decode("latin-1").strip().strip('"')
        self.assertRegex(name, r"\\velbrook-preview-[0-9]+\.htm$")
        preview = os.path.join(os.environ["WINEPREFIX"], "drive_c", name[3:].replace("\\", "/"))
        self.assertTrue(os.path.exists(preview), preview)

        self.drive("click", CAPTIONS[10], CANCEL)
        self.assertEqual("The Velbrook was fully completed.\nThere is no home page created.", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertFalse(os.path.exists(preview), "the preview goes when the program ends")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "home.htm")), "the page is not written")

    def test_a_german_page_reads_right_when_served_as_utf8(self):
        """Typed letters outside ASCII, a described picture, the page's
        language and an e-mail address, on a host that says charset=utf-8 as
        today's hosts do: every letter shows as typed, the link mails, and
        axe-core finds nothing critical or serious."""
        title, text = "J\u00f6rg M\u00fcller \u2013 Gr\u00fc\u00dfe", "Eintritt zum Konzert: 12 \u20ac \u2013 Kinder frei."
        subprocess.run(["convert", "-size", "120x90", "gradient:#3a7bd5-#f6d55c", os.path.join(self.folder, "me.gif")],
                       check=True)
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, ansi(title))
        self.fill(CAPTIONS[1], HEADER, ansi(title))
        self.drive("click", CAPTIONS[1], LANGUAGE)
        self.drive("type", "gg")  # Galician, then German
        self.drive("key", "return")
        self.assertEqual("German (de)", self.drive("text", CAPTIONS[1], LANGUAGE))
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.fill(CAPTIONS[4], PICTURE_FILE, windows_path(os.path.join(self.folder, "me.gif")))
        self.fill(CAPTIONS[4], PICTURE_DESCRIPTION, ansi("J\u00f6rg, \"at home\""))
        self.next_to(5)
        self.fill(CAPTIONS[5], PAGE_TEXT, ansi(text))
        self.next_to(8)
        self.fill(CAPTIONS[8], EMAIL, "joerg@example.org")
        self.next_to(10)
        self.fill(CAPTIONS[10], FILE_NAME, page_file)
        self.finish_with_the_page(page_file)
        written = self.read("home.htm")
        self.assertTrue(written.startswith("<HTML LANG=\"de\">\r\n"), written)
        self.assertTrue(all(ord(c) < 128 for c in written), "pure ASCII: %r" % written)

        handler = functools.partial(UTF8Pages, directory=self.folder)
        with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
            threading.Thread(target=server.serve_forever, daemon=True).start()
            for url in ("http://127.0.0.1:%d/home.htm" % server.server_address[1],
                        "file://" + os.path.join(self.folder, "home.htm")):
                facts = browser.reader_facts(url, AXE)
                self.assertEqual(title, facts["title"], url)
                self.assertIn(text, facts["text"], url)
                self.assertEqual("de", facts["lang"], url)
                self.assertEqual(["J\u00f6rg, \"at home\""], facts["alts"], url)
                self.assertEqual([["mailto:joerg@example.org", "joerg@example.org"]], facts["mails"], url)
                self.assertEqual([], facts["violations"], url)
            server.shutdown()

    def test_text_of_any_script_typed_imported_and_named(self):
        """A title typed as an emoji panel types it (KEYEVENTF_UNICODE),
        Notepad's UTF-16 file imported, a picture named in Japanese chosen
        in another folder and copied: the page is pure ASCII and a browser
        shows every character and the picture; opened again, the fields show
        what was typed and Finish writes the same bytes."""
        title = "\u041c\u043e\u0439 \u0441\u0430\u0439\u0442 \U0001F600 \u0395\u03bb\u03bb\u03ac\u03b4\u03b1"
        text = "Gr\u00fc\u00dfe aus K\u00f6ln \u2013 12 \u20ac\r\n\u65e5\u672c\u8a9e"
        pictures = os.path.join(self.folder, "pictures")
        os.mkdir(pictures)
        picture = os.path.join(pictures, "\u5199\u771f.gif")
        subprocess.run(["convert", "-size", "120x90", "gradient:#3a7bd5-#f6d55c", picture], check=True)
        with open(os.path.join(self.folder, "notes.txt"), "wb") as f:
            f.write(b"\xff\xfe" + text.encode("utf-16-le"))
        utf8 = lambda words: words.encode("utf-8").decode("latin-1")
        shown = lambda caption, control: self.drive("utf8text", caption, control).encode("latin-1").decode("utf-8")
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        self.next_to(1)
        self.drive("click", CAPTIONS[1], WINDOW_TITLE)
        self.drive("unicode", utf8(title))
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.drive("click", CAPTIONS[4], BROWSE_PICTURE)
        self.drive("wait", "Open")
        self.drive("unicode", utf8(windows_path(picture)))
        self.drive("key", "return")
        self.drive("gone", "Open")
        self.next_to(5)
        self.drive("click", CAPTIONS[5], IMPORT)
        self.choose_file("Open", windows_path(os.path.join(self.folder, "notes.txt")))
        self.next_to(10)
        self.fill(CAPTIONS[10], FILE_NAME, page_file)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertIn(".gif is not in the Home Page", self.message())
        self.answer(IDYES)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % page_file, self.message())
        self.answer(IDOK)
        self.assert_ended()
        page = self.read("home.htm")
        self.assertTrue(all(ord(c) < 128 for c in page), "pure ASCII: %r" % page)
        self.assertIn('<IMG SRC="&#20889;&#30495;.gif">', page)
        self.assertTrue(os.path.exists(os.path.join(self.folder, "\u5199\u771f.gif")), "copied beside the page")

        handler = functools.partial(UTF8Pages, directory=self.folder)
        with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
            threading.Thread(target=server.serve_forever, daemon=True).start()
            facts = browser.reader_facts("http://127.0.0.1:%d/home.htm" % server.server_address[1], AXE)
            server.shutdown()
        self.assertEqual(title, facts["title"])
        self.assertIn(text.replace("\r\n", " "), facts["text"])  # a line end in HTML is a blank
        self.assertEqual([120], [natural for natural, _ in browser.phone_view(os.path.join(self.folder, "home.htm"))["pictures"]],
                         "the browser found the picture by its name")

        self.start(page_file)
        self.drive("wait", CAPTIONS[0])
        self.next_to(1)
        self.assertEqual(title, shown(CAPTIONS[1], WINDOW_TITLE))
        self.next_to(5)
        self.assertEqual(text, shown(CAPTIONS[5], PAGE_TEXT))
        self.next_to(10)
        self.finish_with_the_page(page_file)
        self.assertEqual(page, self.read("home.htm"))

    def test_cancel_creates_nothing(self):
        self.next_to(1)
        self.fill(CAPTIONS[1], WINDOW_TITLE, "Never written")
        self.drive("click", CAPTIONS[1], CANCEL)
        self.assertEqual("The Velbrook was fully completed.\nThere is no home page created.", self.message())
        self.answer(IDOK)
        self.assert_ended()
        self.assertEqual([], os.listdir(self.folder))


# Publishing talks to a stand-in of the upload API (neocities_stand_in.py)
# at the real host name, inside a network and mount namespace of the test's
# own: /etc/hosts points neocities.org at 127.0.0.1, the host's trusted
# certificates gain the test's authority, and a fresh Wine prefix reads them.
PUBLISH, SITE_NAME, SITE_PASSWORD, REMEMBER = 1070, 1071, 1072, 1073
PROGRESS, PROGRESS_STATUS = "Putting the page on the web", 1074
SITE, PASSWORD, KEY = "my-site", "pass word:1", "c0ffee00c0ffee00c0ffee00c0ffee00"
HERE = os.path.dirname(os.path.abspath(__file__))
STATE = os.environ.get("VELBROOK_STAND_IN_STATE", "")
FAILURES = {
    "auth": "Neocities refused the site name with this password or key.",
    "file_type": "Neocities refused a file of the page: home.htm is not a valid file type for this site, "
                 "files have not been uploaded",
    "full": "Your Neocities site is full: it has no room for the page and its files.",
    "garbage": "neocities.org gave an answer the Velbrook cannot read",
    "refuse": "The page could not be put on the web: neocities.org could not be reached safely.",
    "drop": "neocities.org gave an answer the Velbrook cannot read",
    "slow": "neocities.org did not answer in time, so the page may not be on the web.",
    "cancel": "Putting the page on the web was cancelled.",
}
# Each of these ends before anything is sent.
for unsafe in ("wrong_host", "untrusted", "expired", "redirect"):
    FAILURES[unsafe] = FAILURES["refuse"]
WAV_LEFT_OUT = "Neocities takes .wav files only on supporter sites: sound.wav is not on the web; a .mid sound would be."


def expired_certificate(work):
    """expired.pem: the site's name and key, from the test's authority, valid
    only for a day in 2020 (openssl 3.0 cannot date a certificate back)."""
    import datetime
    from cryptography import x509
    from cryptography.hazmat.primitives import hashes, serialization
    from cryptography.x509.oid import NameOID

    def load(name, loader):
        with open(os.path.join(work, name), "rb") as f:
            return loader(f.read())
    ca = load("ca.pem", x509.load_pem_x509_certificate)
    ca_key = load("ca.key", lambda data: serialization.load_pem_private_key(data, None))
    key = load("site.key", lambda data: serialization.load_pem_private_key(data, None))
    start = datetime.datetime(2020, 1, 1, tzinfo=datetime.timezone.utc)
    certificate = (x509.CertificateBuilder()
                   .subject_name(x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "neocities.org")]))
                   .issuer_name(ca.subject).public_key(key.public_key()).serial_number(x509.random_serial_number())
                   .not_valid_before(start).not_valid_after(start + datetime.timedelta(days=1))
                   .add_extension(x509.SubjectAlternativeName([x509.DNSName("neocities.org")]), critical=False)
                   .sign(ca_key, hashes.SHA256()))
    with open(os.path.join(work, "expired.pem"), "wb") as f:
        f.write(certificate.public_bytes(serialization.Encoding.PEM))


class PublishInPrivateNetwork(TimeLimited):
    """Makes the namespace, the certificates and the prefix, and runs
    PublishRun inside it."""

    seconds = 900

    def test_publishing_through_the_stand_in(self):
        if os.geteuid() != 0 or not os.environ.get("VELBROOK_PRIVATE_MOUNTS"):
            self.skipTest("publishing needs a private network and mount namespace (unshare as root, "
                          "as scripts/test.sh runs this suite); this run has none")
        work = tempfile.mkdtemp(prefix="velbrook-publish-")
        self.addCleanup(shutil.rmtree, work, True)
        state = os.path.join(work, "state")
        os.mkdir(state)

        def openssl(*words):
            subprocess.run(["openssl", *words], cwd=work, check=True, capture_output=True)
        openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Velbrook test CA",
                "-keyout", "ca.key", "-out", "ca.pem")
        openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=neocities.org", "-keyout", "site.key",
                "-out", "site.csr")
        for name, host in (("site", "neocities.org"), ("other", "other.example")):
            with open(os.path.join(work, "san.ext"), "w") as f:
                f.write("subjectAltName=DNS:%s\n" % host)
            openssl("x509", "-req", "-in", "site.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
                    "-days", "2", "-subj", "/CN=" + host, "-extfile", "san.ext", "-out", name + ".pem")
        openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=neocities.org",
                "-addext", "subjectAltName=DNS:neocities.org", "-keyout", "untrusted.key", "-out", "untrusted.pem")
        expired_certificate(work)
        with open("/etc/ssl/certs/ca-certificates.crt") as f, open(os.path.join(work, "ca.pem")) as ca, \
                open(os.path.join(work, "bundle.crt"), "w") as bundle:
            bundle.write(f.read() + ca.read())
        with open(os.path.join(work, "hosts"), "w") as f:
            f.write("127.0.0.1 localhost neocities.org\n")
        prefix = os.path.join(work, "prefix")
        subprocess.run(["cp", "-a", os.environ["WINEPREFIX"], prefix], check=True)
        environment = dict(os.environ, WINEPREFIX=prefix, VELBROOK_STAND_IN_STATE=state)
        self.addCleanup(subprocess.run, ["wineserver", "-k"], env=environment)
        inside = ("ip link set lo up && mount --bind hosts /etc/hosts && "
                  "mount --bind bundle.crt /etc/ssl/certs/ca-certificates.crt && "
                  "{ python3 %s %s . >/dev/null 2>&1 & } && server=$! && "
                  "python3 %s -v PublishRun; status=$?; kill $server; exit $status" % (
                      os.path.join(HERE, "neocities_stand_in.py"), state, os.path.abspath(__file__)))
        run = subprocess.run(["unshare", "--net", "--mount", "--propagation", "private", "sh", "-c",
                              inside], cwd=work, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                             text=True)
        sys.stderr.write(run.stderr)
        self.assertEqual(0, run.returncode, "the publishing runs failed (above)")


class PublishRun(ProgramTest):
    """Runs only inside the namespace PublishInPrivateNetwork makes."""

    seconds = 300  # one answer comes only after WinINet's 30 s

    def setUp(self):
        for _ in range(100):
            if os.path.exists(os.path.join(STATE, "ready")):
                break
            time.sleep(0.1)
        self.set_mode("success")
        super().setUp()

    def set_mode(self, mode, keep_site=False):
        """A fresh record of requests; the site emptied unless `keep_site`."""
        with open(os.path.join(STATE, "mode"), "w") as f:
            f.write(mode)
        with open(os.path.join(STATE, "requests.jsonl"), "w"):
            pass
        if not keep_site:
            shutil.rmtree(os.path.join(STATE, "received"), ignore_errors=True)

    def received(self):
        folder = os.path.join(STATE, "received")
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def uploads(self):
        return [bytes.fromhex(name).decode("utf-8") for r in self.requests() if r["verb"] == "POST"
                for name in r["names_hex"]]

    def requests(self):
        with open(os.path.join(STATE, "requests.jsonl")) as f:
            return [json.loads(line) for line in f]

    def kept(self):
        query = subprocess.run([WINE, "reg", "query", r"HKCU\Software\Velbrook"], capture_output=True, text=True)
        return query.stdout if query.returncode == 0 else ""

    def finish_and_publish(self, page_file, *, site=None, password=None, remember=False):
        """Goes to the publishing page, fills what is given, and finishes."""
        self.next_to(9)
        if site is not None:
            self.drive("click", CAPTIONS[9], PUBLISH)
            self.fill(CAPTIONS[9], SITE_NAME, site)
            self.fill(CAPTIONS[9], SITE_PASSWORD, password)
            if remember:
                self.drive("click", CAPTIONS[9], REMEMBER)
        self.next_to(10)
        if self.drive("text", CAPTIONS[10], FILE_NAME) != page_file:
            self.fill(CAPTIONS[10], FILE_NAME, page_file)
        self.drive("click", CAPTIONS[10], FINISH)
        self.assertEqual("Congratulations! You've been created new Home Page (%s)!" % page_file, self.message())
        self.answer(IDOK)

    def test_a_page_with_a_picture_goes_on_the_web_and_the_next_run_needs_no_password(self):
        # Named in Japanese: the site takes the name as UTF-8.
        picture = "\u5199\u771f.bmp"
        shutil.copy(os.path.join(HERE, "..", "..", "res", "picture.bmp"), os.path.join(self.folder, picture))
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        self.next_to(4)
        self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
        self.drive("click", CAPTIONS[4], PICTURE_FILE)
        self.drive("unicode", windows_path(os.path.join(self.folder, picture)).encode("utf-8").decode("latin-1"))
        self.finish_and_publish(page_file, site=SITE, password=PASSWORD, remember=True)
        # A new page is the site's front page.
        self.assertEqual("Your page is on the web: https://my-site.neocities.org/\n\n"
                         "Do you want to open it in your browser?", self.message())
        self.answer(IDNO)
        self.assert_ended()
        self.assertEqual(["index.html", picture], self.received())
        for name, sent in (("home.htm", "index.html"), (picture, picture)):
            with open(os.path.join(STATE, "received", sent), "rb") as got, \
                    open(os.path.join(self.folder, name), "rb") as f:
                self.assertEqual(f.read(), got.read(), name)
        key_request, listing, *uploads = self.requests()
        self.assertEqual(("GET", "/api/key"), (key_request["verb"], key_request["path"]))
        self.assertEqual(("GET", "/api/list", "Bearer " + KEY),
                         (listing["verb"], listing["path"], listing["authorization"]))
        self.assertEqual([("POST", "/api/upload", "Bearer " + KEY)] * 2,
                         [(u["verb"], u["path"], u["authorization"]) for u in uploads])
        self.assertEqual([picture, "index.html"], self.uploads(), "the page goes last")
        self.assertNotIn(PASSWORD, "".join(u["body"] for u in uploads))
        kept = self.kept()
        self.assertIn("Neocities key", kept)
        self.assertIn(SITE, kept)
        self.assertNotIn(KEY.upper(), kept.upper().replace(" ", ""), "the key is kept encrypted")
        self.assertNotIn(KEY.encode().hex().upper(), kept.upper().replace(" ", ""), "the key is kept encrypted")

        # The next runs: the page opened again is published without asking,
        # and only what changed is sent: first nothing, then the picture.
        for change, sent, said in ((None, [], "Your page is on the web already, unchanged"),
                                   (picture, [picture], "Your page is on the web: ")):
            self.set_mode("success", keep_site=True)
            if change:
                with open(os.path.join(self.folder, change), "ab") as f:
                    f.write(b"\0")
            self.start(page_file)
            self.drive("wait", CAPTIONS[0])
            self.finish_and_publish(page_file)
            text = self.message()
            self.assertIn(said, text)
            self.assertIn("https://my-site.neocities.org/\n", text)
            self.answer(IDNO)
            self.assert_ended()
            self.assertEqual(sent, self.uploads())
            self.assertEqual(["Bearer " + KEY], list({r["authorization"] for r in self.requests()}))

        # Unticked and finished, nothing is kept.
        self.start(page_file)
        self.drive("wait", CAPTIONS[0])
        self.next_to(9)
        self.drive("click", CAPTIONS[9], REMEMBER)
        self.drive("click", CAPTIONS[9], PUBLISH)
        self.finish_and_publish(page_file)
        self.assert_ended()
        self.assertEqual("", self.kept())

    def test_what_a_free_site_takes_and_what_a_page_may_send(self):
        for name in ("sound.wav", "tune.mid", "notes.txt"):
            with open(os.path.join(self.folder, name), "wb") as f:
                f.write(b"RIFF" if name.endswith(".wav") else b"MThd")
        shutil.copy(os.path.join(HERE, "..", "..", "res", "picture.bmp"), os.path.join(self.folder, "me.bmp"))
        with open(os.path.join(self.folder, "me.gif"), "wb") as f:
            f.write(b"GIF89a")
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        rows = [  # mode, sound, picture, what reaches the site, what the message says
            ("free", "sound.wav", "me.gif", ["index.html", "me.gif"], WAV_LEFT_OUT),
            ("success", "sound.wav", "me.gif", ["index.html", "me.gif", "sound.wav"], "https://my-site.neocities.org/"),
            ("free", "tune.mid", "me.bmp", ["index.html", "tune.mid"],
             "Neocities takes .bmp files only on supporter sites: me.bmp is not on the web"),
            ("success", "notes.txt", "me.gif", ["index.html", "me.gif"],
             "neither pictures nor sounds, so they were not put on the web: notes.txt"),
        ]
        for row, (mode, sound, picture, reached, said) in enumerate(rows):
            with self.subTest(mode=mode, sound=sound, picture=picture):
                if row > 0:
                    if self.program.poll() is None:
                        self.program.kill()
                    self.start()
                    self.drive("wait", CAPTIONS[0])
                self.set_mode(mode)
                self.next_to(2)
                self.fill(CAPTIONS[2], SOUND_FILE, windows_path(os.path.join(self.folder, sound)))
                self.next_to(4)
                self.drive("click", CAPTIONS[4], INCLUDE_PICTURE)
                self.fill(CAPTIONS[4], PICTURE_FILE, windows_path(os.path.join(self.folder, picture)))
                self.finish_and_publish(page_file, site=SITE, password=KEY)
                text = self.message()
                self.assertIn("Your page is on the web: https://my-site.neocities.org/", text)
                self.assertIn(said, text)
                self.answer(IDNO)
                self.assert_ended()
                self.assertEqual(reached, self.received())
                self.assertNotIn("notes.txt", self.uploads(), "a file the page cannot use is never sent")
                os.remove(os.path.join(self.folder, "home.htm"))

    def test_each_failure_is_told_and_the_page_file_stays(self):
        page_file = windows_path(os.path.join(self.folder, "home.htm"))
        for row, (mode, message) in enumerate(FAILURES.items()):
            with self.subTest(mode):
                if row > 0:
                    if self.program.poll() is None:
                        self.program.kill()
                    self.start()
                    self.drive("wait", CAPTIONS[0])
                self.set_mode("slow" if mode == "cancel" else mode)
                self.finish_and_publish(page_file, site=SITE, password=KEY)
                if mode == "cancel":  # once the page is sent, while the answer is awaited
                    self.drive("wait", PROGRESS)
                    time.sleep(2)
                    self.assertIn("Sending index.html: ", self.drive("text", PROGRESS, PROGRESS_STATUS))
                    self.drive("click", PROGRESS, CANCEL)
                if mode in ("slow", "cancel"):
                    # WinINet gives up after 30 s; Wine's also ends a
                    # cancelled wait for the answer only then.
                    self.drive("wait", PROGRESS)
                    for _ in range(5):
                        try:
                            self.drive("gone", PROGRESS)
                            break
                        except AssertionError:
                            pass
                text = self.message()
                self.assertIn(message, text)
                self.assertIn("The page file %s is written" % page_file, text)
                self.answer(IDOK)
                self.assert_ended()
                if message == FAILURES["refuse"]:
                    self.assertEqual([], self.received())
                    self.assertEqual([], [r for r in self.requests() if r["verb"] == "POST" or r["plain"]],
                                     "nothing is sent where the site cannot be reached safely")
                self.assertTrue(os.path.exists(os.path.join(self.folder, "home.htm")))
                os.remove(os.path.join(self.folder, "home.htm"))


def load_tests(loader, tests, pattern):
    """PublishRun runs only inside its namespace, when asked for by name."""
    suite = unittest.TestSuite()
    for case in (WizardRun, PublishInPrivateNetwork):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite
class UTF8Pages(http.server.SimpleHTTPRequestHandler):
    """Serves pages as today's hosts do: as UTF-8, whatever the page says."""
    extensions_map = {".htm": "text/html; charset=utf-8", ".gif": "image/gif"}

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    if not BIN:
        sys.exit("set VELBROOK_BIN to the folder with velbrook.exe")
    unittest.main(verbosity=2)

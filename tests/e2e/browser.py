"""Debian's Chromium, headless, on pages the program wrote: the document it
builds from a page (its DOM after parsing), and a picture of it."""

import html.parser
import os
import shutil
import subprocess
import tempfile

CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars"]


def _chromium(args):
    profile = tempfile.mkdtemp(prefix="velbrook-chromium-")
    try:
        return subprocess.run([CHROMIUM] + FLAGS + ["--user-data-dir=" + profile] + args, capture_output=True,
                              timeout=120, check=True).stdout.decode("utf-8", "replace")
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def rendered_dom(path):
    """The document Chromium builds from the page, serialised."""
    return _chromium(["--dump-dom", "file://" + os.path.abspath(path)])


def screenshot(path, png, width=900, height=1400):
    _chromium(["--screenshot=" + os.path.abspath(png), "--window-size=%d,%d" % (width, height),
               "file://" + os.path.abspath(path)])


class Document(html.parser.HTMLParser):
    """What a reader finds in a rendered document: texts by element, links,
    pictures, list items and the addresses."""

    def __init__(self, markup):
        super().__init__()
        self.stack, self.texts, self.links, self.images, self.items, self.address_links = [], {}, [], [], [], []
        self.feed(markup)

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.stack.append(tag)
        if tag == "a":
            self.links.append(attrs.get("href"))
            if "address" in self.stack:
                self.address_links.append(attrs.get("href"))
        if tag == "img":
            self.images.append(attrs.get("src"))
        if tag == "li":
            self.items.append("")

    def handle_endtag(self, tag):
        if tag in self.stack:
            while self.stack.pop() != tag:
                pass

    def handle_data(self, data):
        for tag in self.stack:
            self.texts[tag] = self.texts.get(tag, "") + data
        if "li" in self.stack and self.items:
            self.items[-1] += data

    def text(self, tag):
        return " ".join(self.texts.get(tag, "").split())

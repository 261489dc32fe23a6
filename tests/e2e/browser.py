"""Debian's Chromium, headless, on pages the program wrote: the document it
builds from a page (its DOM after parsing), a picture of it, and how a
phone shows it."""

import base64
import fcntl
import html.parser
import json
import os
import shutil
import subprocess
import tempfile
import threading

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


# What the page is on a phone: how far the browser scaled it down, and how
# wide its layout is next to the screen.
_PHONE_MEASURES = """new Promise(done => requestAnimationFrame(() => done(JSON.stringify({
  scale: window.visualViewport.scale,
  layoutWidth: document.documentElement.scrollWidth,
  pictures: Array.from(document.images, i => [i.naturalWidth, i.getBoundingClientRect().width])}))))"""


def phone_view(path, png=None, width=390, height=844):
    """The page in Chromium's mobile emulation, a phone `width` CSS pixels
    wide: {"scale", "layoutWidth", "pictures": [[natural, shown width]...]}.
    With `png`, also a picture of the phone's screen."""
    return json.loads(_inspect("file://" + os.path.abspath(path), [_PHONE_MEASURES], png,
                               dict(width=width, height=height, deviceScaleFactor=2, mobile=True)))


# What a reader and a screen reader get from a page, and the serious
# accessibility faults axe-core finds in it.
_READER_FACTS = """axe.run(document, {resultTypes: ["violations"]}).then(result => JSON.stringify({
  title: document.title, lang: document.documentElement.lang,
  alts: Array.from(document.images, i => i.alt),
  mails: Array.from(document.querySelectorAll("address a"), a => [a.href, a.textContent]),
  text: document.body.innerText,
  violations: result.violations.filter(v => v.impact == "critical" || v.impact == "serious").map(v => v.id)}))"""


def reader_facts(url, axe_script):
    """{"title", "lang", "alts", "mails": [[href, text]...], "text",
    "violations": [ids of critical or serious ones]} of the page at `url`,
    axe-core's script `axe_script` run in it."""
    with open(axe_script, encoding="utf-8") as f:
        axe = f.read()
    return json.loads(_inspect(url, [axe, _READER_FACTS]))


def _inspect(url, expressions, png=None, device=None):
    """Loads `url` in Chromium (as the `device` metrics describe, when
    given), evaluates each expression in turn and gives the last one's value;
    with `png`, a picture of the screen too.

    Emulation and scripts are reached through the DevTools protocol; Chromium
    speaks it on file descriptors 3 (commands in) and 4 (answers out) when
    started with --remote-debugging-pipe, one JSON message per NUL."""
    profile = tempfile.mkdtemp(prefix="velbrook-chromium-")
    commands_in, commands = os.pipe()
    answers, answers_out = os.pipe()

    def pipes_as_3_and_4():
        # Moved out of the way first: either pipe may itself be 3 or 4, and
        # dup2 onto the same number would keep its close-on-exec flag.
        high = [fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10) for fd in (commands_in, answers_out)]
        os.dup2(high[0], 3)
        os.dup2(high[1], 4)

    browser = subprocess.Popen([CHROMIUM] + FLAGS + ["--user-data-dir=" + profile, "--remote-debugging-pipe"],
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               close_fds=False, preexec_fn=pipes_as_3_and_4)
    os.close(commands_in)
    os.close(answers_out)
    to_browser, from_browser = os.fdopen(commands, "wb"), os.fdopen(answers, "rb")
    # A browser that hangs is ended, and the pipe's end then fails the read.
    deadline = threading.Timer(120, browser.kill)
    deadline.start()
    pending, ids = [], iter(range(1, 1000))

    def message():
        text = b""
        while not text.endswith(b"\0"):
            byte = from_browser.read(1)
            if not byte:
                raise RuntimeError("Chromium closed the DevTools pipe")
            text += byte
        return json.loads(text[:-1])

    def send(method, session=None, **params):
        number = next(ids)
        command = {"id": number, "method": method, "params": params}
        if session:
            command["sessionId"] = session
        to_browser.write(json.dumps(command).encode() + b"\0")
        to_browser.flush()
        while True:
            answer = message()
            if answer.get("id") == number:
                if "error" in answer:
                    raise RuntimeError("%s: %s" % (method, answer["error"]))
                return answer["result"]
            pending.append(answer)

    def wait_for_load(loader):
        while True:
            event = pending.pop(0) if pending else message()
            if event.get("method") == "Page.lifecycleEvent" and event["params"]["name"] == "load" and \
                    event["params"]["loaderId"] == loader:
                return

    try:
        target = send("Target.createTarget", url="about:blank")["targetId"]
        tab = send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        if device:
            send("Emulation.setDeviceMetricsOverride", tab, **device)
        send("Page.enable", tab)
        # The load of this page, not of the blank one the tab opened with.
        send("Page.setLifecycleEventsEnabled", tab, enabled=True)
        wait_for_load(send("Page.navigate", tab, url=url)["loaderId"])
        for expression in expressions:
            value = send("Runtime.evaluate", tab, expression=expression, awaitPromise=True,
                         returnByValue=True)["result"].get("value")
        if png:
            with open(png, "wb") as f:
                f.write(base64.b64decode(send("Page.captureScreenshot", tab, format="png")["data"]))
        send("Browser.close")
        return value
    finally:
        deadline.cancel()
        to_browser.close()
        from_browser.close()
        try:
            browser.wait(timeout=30)
        except subprocess.TimeoutExpired:
            browser.kill()
            browser.wait()
        shutil.rmtree(profile, ignore_errors=True)


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

#!/usr/bin/env python3
"""A stand-in for the Neocities API, for the end-to-end tests: HTTPS on
127.0.0.1:443 with certificates the test made, inside the test's own network
namespace, and plain HTTP on port 80 that only records (nothing may ever
reach it). It records every request in STATE/requests.jsonl (with each
upload part's name as its bytes in hex) and keeps every uploaded file in
STATE/received/, which /api/list lists with its SHA-1. It answers as
STATE/mode says:

  success     a supporter's site: every upload is taken
  free        a free site: an upload of a type the free list lacks is refused
  auth        403 invalid_auth
  file_type   400 invalid_file_type, with the server's message
  full        400 too_large
  garbage     200 with a body that is not JSON
  slow        waits 45 s, then takes it
  drop        closes the connection without an answer
  refuse      closes every connection before the secure channel is made
  redirect    302 to the same path on http://neocities.org/
  wrong_host  presents a certificate for another host name
  untrusted   presents a certificate from an authority nobody trusts
  expired     presents a certificate whose time is over

Usage: neocities_stand_in.py STATE CERTS (the folder with site.pem,
site.key, other.pem, untrusted.pem, untrusted.key and expired.pem)"""

import base64
import hashlib
import http.server
import json
import os
import re
import ssl
import sys
import threading
import time

SITE, PASSWORD, KEY = "my-site", "pass word:1", "c0ffee00c0ffee00c0ffee00c0ffee00"
STATE, CERTS = sys.argv[1], sys.argv[2]
RECEIVED = os.path.join(STATE, "received")
FREE_TYPES = set("""html htm txt text md markdown css js json geojson csv tsv xml rss atom opml rdf manifest
    webmanifest webapp mf less sass scss knowl kml jpg jpeg png gif svg ico webp xcf mid midi eot ttf otf woff
    woff2 pdf asc key pgp dae obj mtl gltf bin epub""".split())

ANSWERS = {
    "success": (200, {"result": "success", "message": "your file(s) have been successfully uploaded"}),
    "auth": (403, {"result": "error", "error_type": "invalid_auth",
                   "message": "invalid credentials - please check your username and password (or your api key)"}),
    "file_type": (400, {"result": "error", "error_type": "invalid_file_type",
                        "message": "home.htm is not a valid file type for this site, files have not been uploaded"}),
    "full": (400, {"result": "error", "error_type": "too_large",
                   "message": "files are too large to fit within your site's storage"}),
}


def mode():
    with open(os.path.join(STATE, "mode")) as f:
        return f.read().strip()


def parts(content_type, body):
    """The (name as bytes, content) of each part of a multipart body."""
    boundary = re.search(r'boundary="?([^";]+)"?', content_type or "")
    if not boundary:
        return []
    found = []
    for chunk in body.split(b"--" + boundary.group(1).encode())[1:]:
        if chunk.startswith(b"--"):
            break
        head, _, content = chunk[2:].partition(b"\r\n\r\n")
        name = re.search(rb'name="([^"]*)"', head)
        found.append((name.group(1) if name else b"", content[:-2]))
    return found


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    plain = False

    def log_message(self, *args):
        pass

    def record(self, body=b"", names=()):
        with open(os.path.join(STATE, "requests.jsonl"), "a") as f:
            f.write(json.dumps({"verb": self.command, "path": self.path, "plain": self.plain,
                                "authorization": self.headers.get("Authorization", ""),
                                "names_hex": [name.hex() for name in names],
                                "body": body.decode("latin-1")}) + "\n")

    def answer(self, status, payload, headers=()):
        data = payload if isinstance(payload, bytes) else json.dumps(payload).encode()
        self.send_response(status)
        for header in headers:
            self.send_header(*header)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def redirected(self):
        if self.plain:
            self.answer(*ANSWERS["success"])
            return True
        if mode() == "redirect":
            self.answer(302, b"", [("Location", "http://neocities.org" + self.path)])
            return True
        return False

    def do_GET(self):
        self.record()
        if self.redirected():
            return
        wanted = "Basic " + base64.b64encode(("%s:%s" % (SITE, PASSWORD)).encode()).decode()
        if self.path == "/api/key" and self.headers.get("Authorization") == wanted:
            self.answer(200, {"result": "success", "api_key": KEY})
        elif self.path == "/api/list" and self.headers.get("Authorization") == "Bearer " + KEY:
            files = []
            for name in sorted(os.listdir(RECEIVED)) if os.path.isdir(RECEIVED) else []:
                with open(os.path.join(RECEIVED, name), "rb") as f:
                    data = f.read()
                files.append({"path": name, "is_directory": False, "size": len(data),
                              "updated_at": "Thu, 10 Dec 2026 12:00:00 -0000", "sha1_hash": hashlib.sha1(data).hexdigest()})
            self.answer(200, {"result": "success", "files": files})
        else:
            self.answer(*ANSWERS["auth"])

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        found = parts(self.headers.get("Content-Type"), body)
        self.record(body, [name for name, _ in found])
        if self.redirected():
            return
        now = mode()
        if now == "drop":
            self.close_connection = True
            self.connection.close()
            return
        if now == "slow":
            time.sleep(45)
            # The test has moved on (the program gave up long ago): what
            # comes this late is not stored, or a later case would see it.
            if mode() != "slow":
                return
        if now == "garbage":
            return self.answer(200, b"<html><body>Bad gateway</body></html>")
        if self.path != "/api/upload" or self.headers.get("Authorization") != "Bearer " + KEY:
            return self.answer(*ANSWERS["auth"])
        names = [name.decode("utf-8") for name, _ in found]
        if now == "free":
            refused = [name for name in names if name.rpartition(".")[2].lower() not in FREE_TYPES]
            if refused:
                return self.answer(400, {"result": "error", "error_type": "invalid_file_type",
                                         "message": "%s is not a valid file type (or contains not allowed content) "
                                                    "for this site, files have not been uploaded" % refused[0]})
        if now in ("success", "slow", "free"):
            os.makedirs(RECEIVED, exist_ok=True)
            for name, (_, content) in zip(names, found):
                with open(os.path.join(RECEIVED, os.path.basename(name)), "wb") as f:
                    f.write(content)
        self.answer(*ANSWERS.get(now, ANSWERS["success"]))


class PlainHandler(Handler):
    plain = True


def context(cert, key):
    made = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    made.load_cert_chain(os.path.join(CERTS, cert), os.path.join(CERTS, key))
    return made


class Server(http.server.ThreadingHTTPServer):
    def get_request(self):
        connection, address = self.socket.accept()
        now = mode()
        if now == "refuse":
            connection.close()
            raise OSError("refused")
        return CONTEXTS.get(now, CONTEXTS["success"]).wrap_socket(connection, server_side=True), address


if __name__ == "__main__":
    CONTEXTS = {"success": context("site.pem", "site.key"), "wrong_host": context("other.pem", "site.key"),
                "untrusted": context("untrusted.pem", "untrusted.key"), "expired": context("expired.pem", "site.key")}
    plain = http.server.ThreadingHTTPServer(("127.0.0.1", 80), PlainHandler)
    threading.Thread(target=plain.serve_forever, daemon=True).start()
    server = Server(("127.0.0.1", 443), Handler)
    open(os.path.join(STATE, "ready"), "w").close()
    server.serve_forever()

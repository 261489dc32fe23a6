#!/usr/bin/env python3
"""A stand-in for the Neocities upload API, for the end-to-end tests: HTTPS
on 127.0.0.1:443 with a certificate the test made, inside the test's own
network namespace. It records every request in STATE/requests.jsonl and
every uploaded file in STATE/received/, and answers as STATE/mode says:

  success    the upload is taken
  auth       403 invalid_auth
  file_type  400 invalid_file_type, with the server's message
  full       400 too_large
  garbage    200 with a body that is not JSON
  slow       waits 45 s, then takes it
  drop       closes the connection without an answer
  refuse     closes every connection before the secure channel is made

Usage: neocities_stand_in.py STATE CERT KEY"""

import base64
import email.parser
import email.policy
import http.server
import json
import os
import ssl
import sys
import time

SITE, PASSWORD, KEY = "my-site", "pass word:1", "c0ffee00c0ffee00c0ffee00c0ffee00"
STATE = sys.argv[1]

ANSWERS = {
    "success": (200, {"result": "success", "message": "your file(s) have been successfully uploaded"}),
    "auth": (403, {"result": "error", "error_type": "invalid_auth",
                   "message": "invalid credentials - please check your username and password (or your api key)"}),
    "file_type": (400, {"result": "error", "error_type": "invalid_file_type",
                        "message": "home.htm is not a valid file type for this site, files have not been uploaded"}),
    "full": (400, {"result": "error", "error_type": "too_large",
                   "message": "files are too large to fit within your site's storage"}),
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self, body=b""):
        with open(os.path.join(STATE, "requests.jsonl"), "a") as f:
            f.write(json.dumps({"verb": self.command, "path": self.path,
                                "authorization": self.headers.get("Authorization", ""),
                                "body": body.decode("latin-1")}) + "\n")

    def answer(self, status, payload):
        data = payload if isinstance(payload, bytes) else json.dumps(payload).encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        self.record()
        wanted = "Basic " + base64.b64encode(("%s:%s" % (SITE, PASSWORD)).encode()).decode()
        if self.path == "/api/key" and self.headers.get("Authorization") == wanted:
            self.answer(200, {"result": "success", "api_key": KEY})
        else:
            self.answer(*ANSWERS["auth"])

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        self.record(body)
        with open(os.path.join(STATE, "mode")) as f:
            mode = f.read().strip()
        if mode == "drop":
            self.close_connection = True
            self.connection.close()
            return
        if mode == "slow":
            time.sleep(45)
        if mode == "garbage":
            return self.answer(200, b"<html><body>Bad gateway</body></html>")
        if self.path != "/api/upload" or self.headers.get("Authorization") != "Bearer " + KEY:
            return self.answer(*ANSWERS["auth"])
        if mode in ("success", "slow"):
            message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
                b"Content-Type: " + self.headers["Content-Type"].encode() + b"\r\n\r\n" + body)
            received = os.path.join(STATE, "received")
            os.makedirs(received, exist_ok=True)
            for part in message.iter_parts():
                with open(os.path.join(received, os.path.basename(part.get_param("name", header="content-disposition"))),
                          "wb") as f:
                    f.write(part.get_payload(decode=True))
        self.answer(*ANSWERS.get(mode, ANSWERS["success"]))


class Server(http.server.ThreadingHTTPServer):
    def get_request(self):
        connection, address = self.socket.accept()
        with open(os.path.join(STATE, "mode")) as f:
            if f.read().strip() == "refuse":
                connection.close()
                raise OSError("refused")
        return CONTEXT.wrap_socket(connection, server_side=True), address


if __name__ == "__main__":
    CONTEXT = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    CONTEXT.load_cert_chain(sys.argv[2], sys.argv[3])
    server = Server(("127.0.0.1", 443), Handler)
    open(os.path.join(STATE, "ready"), "w").close()
    server.serve_forever()

#!/usr/bin/env python3
"""A small HTTP server for the holiday download tests.

Usage: holiday_server.py FOLDER

Serves the files of FOLDER on 127.0.0.1 at an ephemeral port. The first path segments choose
how a file is answered:

  /ok/NAME                 200 with Content-Length and Last-Modified
  /nolastmod/NAME          200 with Content-Length, no Last-Modified
  /nolength/NAME           200 with Last-Modified, no Content-Length (the connection closes)
  /truncated/NAME          200 announcing the whole file, sending only its first half
  /claims/N/NAME           200 announcing N bytes, sending only the first half of the file
  /status/CODE/NAME        that status (with a Location to /ok/NAME for a redirect)
  /flip/NAME               the file on the first request, a 503 with a well-formed XML error
                           document on the second, and so on alternately
  /shutdown                stops the server

Every request is appended to FOLDER/requests.log as "PATH<TAB>USER-AGENT" before it is
answered. Once listening, the server writes "PORT CLOSED_PORT" to FOLDER/port (CLOSED_PORT is
a port nobody listens on, for connection-refused tests).

It always ends: on /shutdown, after IDLE_SECONDS without a request, or after MAX_SECONDS.
"""

import email.utils
import http.server
import os
import socket
import sys
import threading
import time

IDLE_SECONDS = 60
MAX_SECONDS = 600
ERROR_DOCUMENT = (b'<?xml version="1.0" encoding="UTF-8"?>\n'
                  b'<Error><Code>SlowDown</Code><Message>Try again later</Message></Error>\n')


class State:
    def __init__(self, folder):
        self.folder = folder
        self.last_request = time.monotonic()
        self.flips = {}
        self.lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    state = None

    def log_message(self, *args):
        pass

    def do_GET(self):
        state = self.state
        state.last_request = time.monotonic()
        path = self.path.split("?", 1)[0]
        with state.lock:
            with open(os.path.join(state.folder, "requests.log"), "a") as log:
                log.write("%s\t%s\n" % (path, self.headers.get("User-Agent", "")))
        parts = path.strip("/").split("/")
        if parts == ["shutdown"]:
            self.answer(200, b"bye")
            threading.Thread(target=self.server.shutdown, daemon=True).start()
            return
        try:
            self.route(parts)
        except (OSError, ValueError, IndexError):
            self.answer(400, b"bad request")

    def route(self, parts):
        mode = parts[0]
        if mode in ("claims", "status"):
            number, name = int(parts[1]), parts[2]
        else:
            number, name = 0, parts[1]
        body = self.read(name)
        if body is None:
            self.answer(404, b"no such file")
        elif mode == "ok":
            self.answer(200, body)
        elif mode == "nolastmod":
            self.answer(200, body, last_modified=False)
        elif mode == "nolength":
            self.answer(200, body, length=None)
        elif mode == "truncated":
            self.answer(200, body[: len(body) // 2], length=len(body))
        elif mode == "claims":
            self.answer(200, body[: len(body) // 2], length=number)
        elif mode == "status":
            location = "/ok/" + name if 300 <= number < 400 else None
            self.answer(number, body, location=location)
        elif mode == "flip":
            with self.state.lock:
                count = self.state.flips.get(name, 0) + 1
                self.state.flips[name] = count
            if count % 2:
                self.answer(200, body)
            else:
                self.answer(503, ERROR_DOCUMENT)
        else:
            self.answer(404, b"unknown mode")

    def read(self, name):
        if "/" in name or "\\" in name or name.startswith("."):
            return None
        try:
            with open(os.path.join(self.state.folder, name), "rb") as f:
                return f.read()
        except OSError:
            return None

    def answer(self, status, body, length=-1, last_modified=True, location=None):
        self.send_response(status)
        if length is not None:
            self.send_header("Content-Length", str(len(body) if length == -1 else length))
        if last_modified:
            self.send_header("Last-Modified", email.utils.formatdate(time.time() - 3600, usegmt=True))
        if location:
            self.send_header("Location", location)
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
        self.close_connection = True


def closed_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def watchdog(server, state, started):
    while True:
        time.sleep(1)
        now = time.monotonic()
        if now - state.last_request > IDLE_SECONDS or now - started > MAX_SECONDS:
            server.shutdown()
            return


def main():
    folder = sys.argv[1]
    state = State(folder)
    Handler.state = state
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=watchdog, args=(server, state, time.monotonic()), daemon=True).start()
    port_file = os.path.join(folder, "port")
    with open(port_file + ".tmp", "w") as f:
        f.write("%d %d\n" % (server.server_address[1], closed_port()))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()
    server.server_close()


if __name__ == "__main__":
    main()

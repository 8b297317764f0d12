#!/usr/bin/env python3
"""A small HTTP server for the holiday download tests.

Usage: holiday_server.py FOLDER [--tls]

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
  /shutdown                stops the server (as does a file FOLDER/shutdown)

Servers that misbehave (each holds its connection at most HOLD_SECONDS):

  /silent/NAME             reads the request and never answers
  /stall/NAME              sends the headers of the file, then nothing
  /drip/NAME               announces 8000 bytes and sends one byte every 2 seconds
  /huge/NAME               a true 100 MB body: the file, then blanks, in bursts of 256 KB
  /lying/NAME              announces twice the file, sends the file, keeps the connection open
  /loop/NAME               302 to itself
  /reset/NAME              announces the file, sends half of it and resets the connection
  /slowheaders/NAME        first request: the headers of the file a line every 4 seconds (each
                           wait shorter than a client's step time-out, together most of its
                           deadline); second request: reads it and never answers

Every request is appended to FOLDER/requests.log as "PATH<TAB>USER-AGENT" before it is
answered. Once listening, the server writes "PORT CLOSED_PORT" to FOLDER/port (CLOSED_PORT is
a port nobody listens on, for connection-refused tests).

With --tls it speaks HTTPS with a certificate for 127.0.0.1 from a test certificate authority
made for this run, which it installs into the system's trust store (where Wine's crypt32 reads
it) and removes again when it ends. A second port serves the same with a certificate from an
authority nobody trusts; the port file then reads "PORT CLOSED_PORT UNTRUSTED_PORT
CA_THUMBPRINT". A failed set-up is written to FOLDER/tls-error instead. The last thing the
server does is to write FOLDER/stopped.

It always ends: on /shutdown, after IDLE_SECONDS without a request, or after MAX_SECONDS.
"""

import email.utils
import glob
import http.server
import os
import signal
import socket
import ssl
import struct
import subprocess
import sys
import threading
import time

IDLE_SECONDS = 60
MAX_SECONDS = 600
HOLD_SECONDS = 30
DRIP_LENGTH = 8000
HUGE_LENGTH = 100 * 1024 * 1024
TRUST_FOLDER = "/usr/local/share/ca-certificates"
SYSTEM_CERTS = "/etc/ssl/certs"
ERROR_DOCUMENT = (b'<?xml version="1.0" encoding="UTF-8"?>\n'
                  b'<Error><Code>SlowDown</Code><Message>Try again later</Message></Error>\n')


class State:
    def __init__(self, folder):
        self.folder = folder
        self.last_request = time.monotonic()
        self.flips = {}
        self.lock = threading.Lock()
        self.stop = threading.Event()


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
            self.state.stop.set()
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
        elif mode in MISBEHAVING:
            try:
                MISBEHAVING[mode](self, body)
            except OSError:
                pass
            self.close_connection = True
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

    def hold(self):
        self.state.stop.wait(HOLD_SECONDS)

    def silent(self, body):
        self.hold()

    def headers_only(self, body, length=None):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Last-Modified", email.utils.formatdate(time.time() - 3600, usegmt=True))
        self.end_headers()
        self.wfile.flush()

    def stall(self, body):
        self.headers_only(body)
        self.hold()

    def drip(self, body):
        self.headers_only(body, DRIP_LENGTH)
        padded = body.ljust(DRIP_LENGTH, b" ")
        for i in range(DRIP_LENGTH):
            if self.state.stop.wait(2):
                return
            self.wfile.write(padded[i:i + 1])
            self.wfile.flush()

    def huge(self, body):
        # Sent in bursts with pauses, as a real link delivers it, not at the pace of memory:
        # Wine's WinINet (not Windows') reads whatever has already arrived when a request is
        # closed unread, 1 KB at a time, and stops only when the socket runs dry. A local server
        # that never pauses keeps that read going through all 100 MB.
        self.headers_only(body, HUGE_LENGTH)
        self.wfile.write(body)
        blanks = b" " * 262144
        left = HUGE_LENGTH - len(body)
        while left > 0:
            chunk = blanks[:min(left, len(blanks))]
            self.wfile.write(chunk)
            self.wfile.flush()
            left -= len(chunk)
            if self.state.stop.wait(0.05):
                return

    def slowheaders(self, body):
        with self.state.lock:
            count = self.state.flips.get("slow/" + self.path, 0) + 1
            self.state.flips["slow/" + self.path] = count
        if count % 2 == 0:
            self.hold()
            return
        self.send_response_only(200)
        self.flush_headers()
        for line in ("Content-Length: %d\r\n" % len(body), "Connection: close\r\n", "\r\n"):
            if self.state.stop.wait(4 if line != "\r\n" else 0):
                return
            self.wfile.write(line.encode("ascii"))
            self.wfile.flush()
        self.hold()

    def lying(self, body):
        self.headers_only(body, 2 * len(body))
        self.wfile.write(body)
        self.wfile.flush()
        self.hold()

    def loop(self, body):
        self.send_response(302)
        self.send_header("Location", self.path)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def reset(self, body):
        # The pauses let the headers and then half of the body arrive before the reset.
        self.headers_only(body)
        time.sleep(0.3)
        self.wfile.write(body[: len(body) // 2])
        self.wfile.flush()
        time.sleep(0.3)
        # Closing with a zero linger time sends a reset instead of an orderly end.
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.connection.close()

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


MISBEHAVING = {
    "silent": Handler.silent, "stall": Handler.stall, "drip": Handler.drip, "huge": Handler.huge,
    "lying": Handler.lying, "loop": Handler.loop, "reset": Handler.reset,
    "slowheaders": Handler.slowheaders,
}


def closed_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def watchdog(servers, state, started):
    request = os.path.join(state.folder, "shutdown")
    while not state.stop.is_set():
        time.sleep(0.2)
        now = time.monotonic()
        if now - state.last_request > IDLE_SECONDS or now - started > MAX_SECONDS:
            break
        if os.path.exists(request):
            break
    stop(servers, state)


def stop(servers, state):
    state.stop.set()
    for server in servers:
        threading.Thread(target=server.shutdown, daemon=True).start()


def openssl(*args):
    subprocess.run(["openssl"] + list(args), check=True, capture_output=True)


def make_authority(folder, name):
    key, cert = os.path.join(folder, name + ".key"), os.path.join(folder, name + ".crt")
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
            "-days", "2", "-subj", "/CN=Zanto test authority " + name,
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    return key, cert


def make_server_certificate(folder, name, authority):
    key, cert = os.path.join(folder, name + ".key"), os.path.join(folder, name + ".crt")
    request, extensions = os.path.join(folder, name + ".csr"), os.path.join(folder, name + ".ext")
    with open(extensions, "w") as f:
        f.write("subjectAltName=IP:127.0.0.1\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", request,
            "-subj", "/CN=127.0.0.1")
    openssl("x509", "-req", "-in", request, "-CA", authority[1], "-CAkey", authority[0],
            "-CAcreateserial", "-out", cert, "-days", "2", "-extfile", extensions)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def as_root(*command):
    prefix = [] if os.geteuid() == 0 else ["sudo", "-n"]
    subprocess.run(prefix + list(command), check=True, capture_output=True)


class TrustedAuthority:
    """The test authority in the system trust store for as long as the server runs."""

    def __init__(self, cert):
        self.name = "zanto-test-%d" % os.getpid()
        self.installed = os.path.join(TRUST_FOLDER, self.name + ".crt")
        as_root("install", "-m", "644", cert, self.installed)
        try:
            as_root("update-ca-certificates")
        except subprocess.CalledProcessError:
            self.remove()
            raise

    def remove(self):
        as_root("rm", "-f", self.installed)
        # update-ca-certificates leaves the links of a removed certificate behind.
        for link in glob.glob(os.path.join(SYSTEM_CERTS, "*")):
            target = os.readlink(link) if os.path.islink(link) else ""
            if self.name in target or (target and self.name in os.path.realpath(link)):
                as_root("rm", "-f", link)
        as_root("update-ca-certificates")


def thumbprint(cert):
    result = subprocess.run(["openssl", "x509", "-in", cert, "-noout", "-fingerprint", "-sha1"],
                            check=True, capture_output=True, text=True)
    return result.stdout.strip().split("=", 1)[1].replace(":", "")


def serve(server):
    server.serve_forever()
    server.server_close()


def new_server(context=None):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if context:
        server.socket = context.wrap_socket(server.socket, server_side=True)
    return server


def write_port_file(folder, fields):
    port_file = os.path.join(folder, "port")
    with open(port_file + ".tmp", "w") as f:
        f.write(" ".join(str(field) for field in fields) + "\n")
    os.replace(port_file + ".tmp", port_file)


def main():
    folder = sys.argv[1]
    tls = "--tls" in sys.argv[2:]
    state = State(folder)
    Handler.state = state
    authority = None
    try:
        if tls:
            keys = os.path.join(folder, "tls")
            os.makedirs(keys, exist_ok=True)
            trusted = make_authority(keys, "trusted")
            untrusted = make_authority(keys, "untrusted")
            servers = [new_server(make_server_certificate(keys, "server", trusted)),
                       new_server(make_server_certificate(keys, "stranger", untrusted))]
            fields = [servers[0].server_address[1], closed_port(), servers[1].server_address[1],
                      thumbprint(trusted[1])]
            authority = TrustedAuthority(trusted[1])
        else:
            servers = [new_server()]
            fields = [servers[0].server_address[1], closed_port()]
    except (OSError, subprocess.CalledProcessError, ssl.SSLError) as error:
        detail = getattr(error, "stderr", b"") or b""
        with open(os.path.join(folder, "tls-error"), "w") as f:
            f.write("%s %s\n" % (error, detail.decode(errors="replace")))
        return
    try:
        signal.signal(signal.SIGTERM, lambda *args: stop(servers, state))
        threads = [threading.Thread(target=serve, args=(server,)) for server in servers[1:]]
        for thread in threads:
            thread.start()
        threading.Thread(target=watchdog, args=(servers, state, time.monotonic()), daemon=True).start()
        write_port_file(folder, fields)
        serve(servers[0])
        stop(servers, state)
        for thread in threads:
            thread.join()
    finally:
        if authority:
            authority.remove()
        if os.path.isdir(folder):
            with open(os.path.join(folder, "stopped"), "w") as f:
                f.write("stopped\n")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The maker's web server, on loopback, for the tests and the demo.

Serves the files under --site at their paths. Text pages (.htm, .html, .ini) may hold
{{base}} (this server's address) and {{sha256:PATH}} (the SHA-256 of a file under the
site), filled in when served. Every request is appended to --log as one line of CP949 text:
    METHOD PATH<TAB>key=value<TAB>...
with the query's values decoded (the program encodes them in CP949); tabs and line breaks in a
value are written as \\t, \\r and \\n.

Special paths:
    /__control/offline?ms=N   close the port for N ms, so that connections are refused
    /__slow/MS/PATH           serve PATH after MS milliseconds
    /__nolength/PATH          serve PATH without a Content-Length
    /__short/N/PATH           announce PATH's whole length but send only its first N bytes
    /__trickle/MS/PATH        send PATH in pieces of 1024 bytes, MS milliseconds apart
Usage: maker-server.py --site DIR --log FILE --port-file FILE [--port N]
"""
import argparse
import hashlib
import os
import re
import socket
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler

TEMPLATE_SUFFIXES = (".htm", ".html", ".ini")
CONTENT_TYPES = {".gif": "image/gif", ".png": "image/png", ".exe": "application/octet-stream",
                 ".htm": "text/html", ".html": "text/html"}


def escape(value):
    return value.replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r").replace("\n", "\\n")


class Server:
    def __init__(self, site, log, port):
        self.site = os.path.realpath(site)
        self.log = log
        self.port = port
        self.log_lock = threading.Lock()
        self.listener = None
        self.offline_until = 0.0

    @property
    def base(self):
        return "http://127.0.0.1:%d" % self.port

    def listen(self):
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", self.port))
        listener.listen(64)
        listener.settimeout(0.2)
        self.port = listener.getsockname()[1]
        self.listener = listener

    def record(self, method, target):
        path, _, query = target.partition("?")
        fields = [method + " " + urllib.parse.unquote(path, encoding="cp949", errors="replace")]
        for key, value in urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="cp949",
                                                 errors="replace"):
            fields.append(escape(key) + "=" + escape(value))
        line = "\t".join(fields) + "\r\n"
        with self.log_lock:
            # Opened for each line, so that a test may empty the log at any time.
            with open(self.log, "ab") as log:
                log.write(line.encode("cp949", errors="replace"))

    def file_for(self, path):
        relative = urllib.parse.unquote(path).lstrip("/")
        full = os.path.realpath(os.path.join(self.site, relative))
        if not full.startswith(self.site + os.sep) or not os.path.isfile(full):
            return None
        return full

    def body_of(self, full):
        with open(full, "rb") as f:
            data = f.read()
        if not full.endswith(TEMPLATE_SUFFIXES):
            return data

        def fill(match):
            name = match.group(1).decode()
            if name == "base":
                return self.base.encode()
            target = self.file_for(name[len("sha256:"):])
            if target is None:
                return b""
            with open(target, "rb") as f:
                return hashlib.sha256(f.read()).hexdigest().encode()

        return re.sub(rb"\{\{(base|sha256:[^}]+)\}\}", fill, data)

    def go_offline(self, ms):
        self.offline_until = time.monotonic() + ms / 1000.0

    def serve(self, port_file):
        self.listen()
        with open(port_file, "w") as f:
            f.write(str(self.port))
        while True:
            if self.offline_until and self.listener:
                time.sleep(0.1)  # the control answer leaves before the port closes
                self.listener.close()
                self.listener = None
            if self.listener is None:
                time.sleep(max(0.0, self.offline_until - time.monotonic()))
                self.offline_until = 0.0
                self.listen()
            try:
                connection, _ = self.listener.accept()
            except socket.timeout:
                continue
            connection.settimeout(None)
            threading.Thread(target=self.handle, args=(connection,), daemon=True).start()

    def handle(self, connection):
        try:
            Handler(connection, ("127.0.0.1", 0), self)
        except OSError:
            pass
        finally:
            connection.close()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        server = self.server
        server.record("GET", self.path)
        path = self.path.partition("?")[0]
        if path == "/__control/offline":
            query = dict(urllib.parse.parse_qsl(self.path.partition("?")[2]))
            self.answer(200, b"offline", "text/plain", True)
            server.go_offline(int(query.get("ms", "1000")))
            return
        with_length = True
        match = re.match(r"^/__slow/(\d+)(/.*)$", path)
        if match:
            time.sleep(int(match.group(1)) / 1000.0)
            path = match.group(2)
        if path.startswith("/__nolength/"):
            with_length = False
            path = path[len("/__nolength"):]
        sent_bytes = None
        pause_ms = 0
        match = re.match(r"^/__trickle/(\d+)(/.*)$", path)
        if match:
            pause_ms = int(match.group(1))
            path = match.group(2)
        match = re.match(r"^/__short/(\d+)(/.*)$", path)
        if match:
            sent_bytes = int(match.group(1))
            path = match.group(2)
        if path.startswith("/log/"):
            self.answer(200, b"ok", "text/plain", True)
            return
        full = server.file_for(path)
        if full is None:
            self.answer(404, b"not found", "text/plain", True)
            return
        content_type = CONTENT_TYPES.get(os.path.splitext(full)[1].lower(), "application/octet-stream")
        self.answer(200, server.body_of(full), content_type, with_length, sent_bytes, pause_ms)

    def answer(self, status, body, content_type, with_length, sent_bytes=None, pause_ms=0):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if with_length:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if sent_bytes is not None:
            body = body[:sent_bytes]
        try:
            if pause_ms:
                for start in range(0, len(body), 1024):
                    self.wfile.write(body[start:start + 1024])
                    self.wfile.flush()
                    time.sleep(pause_ms / 1000.0)
                return
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()
    Server(args.site, args.log, args.port).serve(args.port_file)


if __name__ == "__main__":
    main()

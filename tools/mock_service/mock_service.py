#!/usr/bin/env python3
"""A stand-in for the SMS web service, for the demo and the end-to-end tests.

It answers the page paths with a small HTML page that echoes the request,
serves the version file and the installer from files in --root (so a test can
swap them), and appends every request line to --log. A marker file named like
a served update file plus ".truncate" (e.g. VELORADesktop.exe.truncate) makes
the reply announce 100 bytes more than it sends and then close the
connection: a download that breaks off. A marker named like it plus ".stall"
holding a number makes that many replies send their headers and then nothing:
the connection stays open, silent, until the client gives up, which is logged
as "CLOSED <path>" (an empty marker stalls every reply). A marker named like
it plus ".status" holding a number sends the file with that status instead
of 200: an error page whose body would pass for the file. A file in --root
named like a path's last part plus ".html" (send.html for /send, frame.html
for /frame) is served as that page instead of the echo, whatever the query:
the tests' pages with a text field, a notification or links. It listens on
127.0.0.1 only (also reached as localhost, another origin for a browser).
A marker file "page-width.probe" makes every echoed page report its width in
CSS pixels (innerWidth) when it has loaded and whenever it changes, as a
request "/page-width?<pixels>" (the page's zoom divides it). Test tooling,
not part of the program.
"""
import argparse
import html
import os
import re
import socket
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

PAGE_PATHS = ("/send", "/contacts", "/info", "/register", "/download")
WIDTH_PROBE = ("<script>function report(){new Image().src='/page-width?'+window.innerWidth;}"
               "window.addEventListener('load',report);window.addEventListener('resize',report);</script>")
UPDATE_FILES = {"/update/dw.version": "dw.version", "/update/VELORADesktop.exe": "VELORADesktop.exe"}


class Handler(BaseHTTPRequestHandler):
    server_version = "VeloraMock/1.0"
    log_lock = threading.Lock()
    stall_lock = threading.Lock()
    STALL_GUARD_SECONDS = 300  # a stalled reply ends by itself after this

    def log_line(self, line):
        with self.log_lock, open(self.server.log_path, "a", encoding="latin-1") as log:
            log.write(line + "\n")

    def log_request_line(self):
        self.log_line("%s %s %s" % (self.command, self.path, self.headers.get("User-Agent", "")))

    def take_stall(self, marker):
        """Whether this reply stalls; counts the marker down."""
        with self.stall_lock:
            try:
                with open(marker) as f:
                    text = f.read().strip()
            except OSError:
                return False
            if text:
                left = int(text) - 1
                if left > 0:
                    with open(marker, "w") as f:
                        f.write(str(left))
                else:
                    os.remove(marker)
            return True

    def status_for(self, file_path):
        """The status a served file goes out with: 200, or its marker's number."""
        try:
            with open(file_path + ".status") as f:
                return int(f.read().strip())
        except (OSError, ValueError):
            return 200

    def stall(self, size):
        """Headers announcing `size` bytes, then silence until the client
        closes the connection."""
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        self.wfile.flush()
        self.close_connection = True
        self.connection.settimeout(self.STALL_GUARD_SECONDS)
        try:
            while self.connection.recv(1024):
                pass
        except socket.timeout:
            return
        except OSError:
            pass
        self.log_line("CLOSED " + self.path)

    def reply(self, status, body, content_type, missing=0):
        """missing: bytes announced in Content-Length but never sent."""
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body) + missing))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)
        if missing:
            self.wfile.flush()
            self.close_connection = True

    def own_page(self, path):
        """The test's own page for the path, or None."""
        name = path.rsplit("/", 1)[-1]
        if not re.fullmatch(r"[a-z0-9-]+", name):
            return None
        try:
            with open(os.path.join(self.server.root, name + ".html"), "rb") as f:
                return f.read()
        except OSError:
            return None

    def do_GET(self):
        self.log_request_line()
        path = self.path.split("?", 1)[0]
        if path in UPDATE_FILES:
            file_path = os.path.join(self.server.root, UPDATE_FILES[path])
            try:
                with open(file_path, "rb") as f:
                    body = f.read()
            except OSError:
                return self.reply(404, b"<html><body>not found</body></html>", "text/html")
            if self.command == "GET" and self.take_stall(file_path + ".stall"):
                return self.stall(len(body))
            missing = 100 if os.path.exists(file_path + ".truncate") else 0
            return self.reply(self.status_for(file_path), body, "application/octet-stream", missing)
        own_page = self.own_page(path)
        if own_page is not None:
            return self.reply(200, own_page, "text/html; charset=utf-8")
        if path in PAGE_PATHS:
            text = html.escape(self.path)
            probe = WIDTH_PROBE if os.path.exists(os.path.join(self.server.root, "page-width.probe")) else ""
            body = ("<html><head><title>VELORA mock</title>%s</head><body>"
                    "<h1>%s</h1><p id='request'>%s</p></body></html>"
                    % (probe, html.escape(path), text)).encode("latin-1", "replace")
            return self.reply(200, body, "text/html; charset=windows-1252")
        self.reply(404, b"<html><body>not found</body></html>", "text/html")

    do_HEAD = do_GET

    def log_message(self, fmt, *args):
        pass  # the request log file is the record; keep the console quiet


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", type=int, default=8642)
    parser.add_argument("--root", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.root = args.root
    server.log_path = args.log
    open(args.log, "a").close()
    print("mock service listening on http://127.0.0.1:%d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())

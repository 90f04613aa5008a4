#!/usr/bin/python3
"""Local servers for the update tests: HTTP and anonymous FTP on 127.0.0.1.

Usage: servers.py ROOT
Serves the files under ROOT on free ports, prints "READY http=PORT ftp=PORT"
and runs until its standard input closes, so that a test that ends (or dies)
takes its servers with it.

HTTP paths (percent-encoded as UTF-8, or as GBK like the update server's):
  /NAME...              the file ROOT/NAME...
  /status/CODE          that status, with an HTML error page
  /redirect/NAME        302 to /NAME
  /truncated/NAME       announces the whole file, sends half of it, closes
  /slow/AFTER/NAME      announces the whole file, sends AFTER bytes, then
                        nothing until the client gives up (at most 60 s)
  /throttle/RATE/NAME   the file at RATE bytes per second (for watching Vantrel)
"""
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

ROOT = os.path.abspath(sys.argv[1])
STALL_LIMIT_S = 60


def local_path(url_path):
    raw = urllib.parse.unquote_to_bytes(url_path)
    try:
        name = raw.decode("utf-8")
    except UnicodeDecodeError:
        name = raw.decode("gbk", "replace")
    path = os.path.normpath(os.path.join(ROOT, name.lstrip("/")))
    if not path.startswith(ROOT + os.sep):
        return None
    return path


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def error_page(self, code):
        body = b"<html><head><title>Error</title></head><body>%d</body></html>\r\n" % code
        self.send_response(code)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def read(self, url_path):
        path = local_path(url_path)
        if path is None or not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def announce(self, length):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()

    def do_GET(self):
        parts = self.path.split("?")[0].split("/")
        kind = parts[1] if len(parts) > 1 else ""
        if kind == "status" and len(parts) == 3:
            return self.error_page(int(parts[2]))
        if kind == "redirect":
            self.send_response(302)
            self.send_header("Location", "/" + "/".join(parts[2:]))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if kind == "truncated":
            body = self.read("/" + "/".join(parts[2:]))
            if body is None:
                return self.error_page(404)
            self.announce(len(body))
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        if kind == "slow":
            after = int(parts[2])
            body = self.read("/" + "/".join(parts[3:]))
            if body is None:
                return self.error_page(404)
            self.announce(len(body))
            self.wfile.write(body[:after])
            self.wfile.flush()
            # Hold the connection open without sending; the client's own
            # time-out or cancel ends it.
            deadline = time.monotonic() + STALL_LIMIT_S
            self.connection.settimeout(0.2)
            while time.monotonic() < deadline:
                try:
                    if self.connection.recv(1) == b"":
                        break
                except OSError as e:
                    if "timed out" not in str(e):
                        break
            self.close_connection = True
            return
        if kind == "throttle":
            rate = max(10, int(parts[2]))
            body = self.read("/" + "/".join(parts[3:]))
            if body is None:
                return self.error_page(404)
            self.announce(len(body))
            piece = rate // 10
            try:
                for start in range(0, len(body), piece):
                    self.wfile.write(body[start : start + piece])
                    self.wfile.flush()
                    time.sleep(0.1)
            except OSError:
                pass
            self.close_connection = True
            return
        body = self.read(self.path.split("?")[0])
        if body is None:
            return self.error_page(404)
        self.announce(len(body))
        self.wfile.write(body)


def main():
    http = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    http.daemon_threads = True
    threading.Thread(target=http.serve_forever, daemon=True).start()

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(ROOT)
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    ftp = FTPServer(("127.0.0.1", 0), handler)
    ftp.max_cons = 32
    threading.Thread(target=ftp.serve_forever, kwargs={"handle_exit": False}, daemon=True).start()

    print("READY http=%d ftp=%d" % (http.server_address[1], ftp.address[1]), flush=True)
    sys.stdin.read()
    http.shutdown()
    ftp.close_all()


if __name__ == "__main__":
    import logging
    logging.basicConfig(level=logging.ERROR)
    main()

#!/usr/bin/env python3
"""A small HTTP/1.1 server for the tests of the online services, on 127.0.0.1.

    http_server.py ROOT [--hang]

Prints "PORT <n>" on its first line once it listens (on a free port). Serves the files under
ROOT by path (the query is ignored), as text/plain, or text/html for ".html"; a missing file
gets a 404, and a file named "*.redirect" a 301 to the address it holds. With the query "chunked" the body is sent in chunks without a Content-Length. With
--hang every request is accepted, logged and never answered.

Each request is appended to ROOT/requests.log before it is answered, one line each:
<seconds since the epoch> <method> <path with query> <header names, comma-separated>
"""
import http.server
import os
import sys
import threading
import time


def make_handler(root, hang):
    log_lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def note_request(self):
            names = ",".join(self.headers.keys())
            with log_lock, open(os.path.join(root, "requests.log"), "a") as log:
                log.write(f"{time.time():.6f} {self.command} {self.path} {names}\n")

        def do_GET(self):
            self.note_request()
            if hang:
                threading.Event().wait()
            path, _, query = self.path.partition("?")
            file = os.path.normpath(os.path.join(root, path.lstrip("/")))
            if not file.startswith(root) or not os.path.isfile(file):
                self.send_error(404)
                return
            with open(file, "rb") as source:
                body = source.read()
            if file.endswith(".redirect"):
                self.send_response(301)
                self.send_header("Location", body.decode().strip())
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            self.send_response(200)
            kind = "text/html" if file.endswith(".html") else "text/plain"
            self.send_header("Content-Type", kind)
            if query == "chunked":
                self.send_header("Transfer-Encoding", "chunked")
                self.end_headers()
                step = 65536
                for start in range(0, len(body), step):
                    chunk = body[start:start + step]
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
                self.wfile.write(b"0\r\n\r\n")
            else:
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

    return Handler


def main():
    root = os.path.realpath(sys.argv[1])
    hang = "--hang" in sys.argv[2:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), make_handler(root, hang))
    server.daemon_threads = True
    print(f"PORT {server.server_address[1]}", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

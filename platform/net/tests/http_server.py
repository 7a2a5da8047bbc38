# Test HTTP server on 127.0.0.1: serves the files of ROOT byte for byte on a free port and prints
# the port on stdout once it listens.  /redirect/NAME answers 302 to /NAME; a missing file is a
# 404 with an HTML body; /slow/NAME answers like /NAME after a third of a second (a slow network).
# Usage: http_server.py ROOT
import os
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

root = os.path.abspath(sys.argv[1])


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, code, body, headers=()):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        if path.startswith("/redirect/"):
            self.answer(302, b"moved", [("Location", "/" + path[len("/redirect/"):])])
            return
        if path.startswith("/slow/"):
            time.sleep(0.3)
            path = path[len("/slow"):]
        name = os.path.normpath(os.path.join(root, path.lstrip("/")))
        if name.startswith(os.path.abspath(root)) and os.path.isfile(name):
            with open(name, "rb") as f:
                self.answer(200, f.read())
        else:
            self.answer(404, b"<html><body>not found</body></html>")


server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()

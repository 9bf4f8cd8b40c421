#!/usr/bin/env python3
# A local HTTP server for the end-to-end tests, on 127.0.0.1 only.
#
# It serves files from a folder and answers a few paths of its own, each one a
# way a real server behaves:
#
#   /fixed            200 with FIXED_BODY
#   /status/CODE      that status with a short page
#   /size/N           200 with N bytes (byte i is i % 251), sent in uneven pieces
#   /chunked/N        the same bytes in chunked transfer encoding
#   /redirect/PATH    302 to /PATH
#   /echo             200 with the request's method and user agent, one a line
#   /close            reads the request and closes the connection unanswered
#   /silent           reads the request and never answers
#   /stall            sends the head and ten of the 1000 bytes it announces,
#                     then nothing more
#
# Anything else is a file of the served folder ROOT, or 404.
#
# Usage: http_server.py READY ROOT. Once it takes connections it writes
# "PORT REFUSED_PORT" to the file READY: its own port and one nobody listens on.

import http.server
import os
import socket
import sys
import threading
import time

FIXED_BODY = b"Vellinor test body: a fixed text of some length.\r\n"
PIECES = (1, 1000, 7, 30000, 4096, 65536)
never = threading.Event()


def pattern(size):
    return bytes(i % 251 for i in range(size))


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        sys.stderr.write("%s %s\n" % (self.log_date_time_string(), format % args))
        sys.stderr.flush()

    def head(self, status, **headers):
        self.send_response(status)
        for name, value in headers.items():
            self.send_header(name.replace("_", "-"), str(value))
        self.end_headers()

    def answer(self, status, body):
        self.head(status, Content_Type="application/octet-stream", Content_Length=len(body))
        self.wfile.write(body)

    def send_in_pieces(self, body, chunked):
        # The data in pieces of uneven sizes, as a server's writes may come.
        if chunked:
            self.head(200, Transfer_Encoding="chunked")
        else:
            self.head(200, Content_Length=len(body))
        start, turn = 0, 0
        while start < len(body):
            piece = body[start : start + PIECES[turn % len(PIECES)]]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece) if chunked else piece)
            self.wfile.flush()
            time.sleep(0.01)
            start, turn = start + len(piece), turn + 1
        if chunked:
            self.wfile.write(b"0\r\n\r\n")

    def do_GET(self):
        name, _, rest = self.path.split("?")[0].strip("/").partition("/")
        if name == "fixed":
            self.answer(200, FIXED_BODY)
        elif name == "status" and rest.isdigit():
            self.answer(int(rest), b"<html><body>Status %s from the test server</body></html>" % rest.encode())
        elif name in ("size", "chunked") and rest.isdigit():
            self.send_in_pieces(pattern(int(rest)), name == "chunked")
        elif name == "redirect":
            self.head(302, Location="/" + rest, Content_Length=0)
        elif name == "echo":
            self.answer(200, ("%s\n%s" % (self.command, self.headers.get("User-Agent", ""))).encode("latin-1"))
        elif name == "close":
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
        elif name == "silent":
            never.wait()
        elif name == "stall":
            self.head(200, Content_Length=1000)
            self.wfile.write(pattern(10))
            self.wfile.flush()
            never.wait()
        else:
            super().do_GET()


def main(ready, root):
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), lambda *args: Handler(*args, directory=root))
    server.daemon_threads = True
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        refused = probe.getsockname()[1]
    with open(ready + ".tmp", "w") as file:
        file.write("%d %d\n" % (server.server_address[1], refused))
    os.replace(ready + ".tmp", ready)
    server.serve_forever()


if __name__ == "__main__":
    main(*sys.argv[1:3])

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
# Anything else is a file of the served folder (--root), or 404.
#
# Usage: http_server.py --ready FILE [--root DIR]. Once it takes connections it
# writes "PORT REFUSED_PORT" to FILE: its own port and one nobody listens on.

import argparse
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


def pieces(data):
    # The data in pieces of uneven sizes, as a server's writes may come.
    start, turn = 0, 0
    while start < len(data):
        size = PIECES[turn % len(PIECES)]
        yield data[start : start + size]
        start += size
        turn += 1


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        sys.stderr.write("%s %s\n" % (self.log_date_time_string(), format % args))
        sys.stderr.flush()

    def answer(self, status, body, headers=()):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def send_in_pieces(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        for piece in pieces(body):
            self.wfile.write(piece)
            self.wfile.flush()
            time.sleep(0.01)

    def send_chunked(self, body):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for piece in pieces(body):
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.flush()
            time.sleep(0.01)
        self.wfile.write(b"0\r\n\r\n")

    def do_GET(self):
        parts = self.path.split("?")[0].strip("/").split("/", 1)
        name, rest = parts[0], parts[1] if len(parts) > 1 else ""
        if name == "fixed":
            self.answer(200, FIXED_BODY)
        elif name == "status" and rest.isdigit():
            self.answer(int(rest), b"<html><body>Status %s from the test server</body></html>" % rest.encode())
        elif name == "size" and rest.isdigit():
            self.send_in_pieces(pattern(int(rest)))
        elif name == "chunked" and rest.isdigit():
            self.send_chunked(pattern(int(rest)))
        elif name == "redirect":
            self.send_response(302)
            self.send_header("Location", "/" + rest)
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif name == "echo":
            agent = self.headers.get("User-Agent", "")
            self.answer(200, ("%s\n%s" % (self.command, agent)).encode("latin-1"))
        elif name == "close":
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
        elif name == "silent":
            never.wait()
        elif name == "stall":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(pattern(10))
            self.wfile.flush()
            never.wait()
        else:
            super().do_GET()


def unused_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ready", required=True)
    parser.add_argument("--root", default=os.getcwd())
    options = parser.parse_args()

    def handler(*args, **kwargs):
        return Handler(*args, directory=options.root, **kwargs)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    refused = unused_port()
    with open(options.ready + ".tmp", "w") as ready:
        ready.write("%d %d\n" % (server.server_address[1], refused))
    os.replace(options.ready + ".tmp", options.ready)
    server.serve_forever()


if __name__ == "__main__":
    main()

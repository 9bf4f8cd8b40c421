#!/usr/bin/env python3
# A local HTTP server for the end-to-end tests, on 127.0.0.1 only.
#
# It serves files from a folder and answers a few paths of its own, each one a
# way a real server behaves:
#
#   /fixed            200 with FIXED_BODY
#   /status/CODE      that status with a short page
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

FIXED_BODY = b"Vellinor test body: a fixed text of some length.\r\n"
never = threading.Event()


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        agent = self.headers.get("User-Agent", "") if getattr(self, "headers", None) else ""
        sys.stderr.write("%s %s agent=%s\n" % (self.log_date_time_string(), format % args, agent))
        sys.stderr.flush()

    def answer(self, status, body=b"", **headers):
        headers = {"Content_Type": "application/octet-stream", "Content_Length": len(body), **headers}
        self.send_response(status)
        for name, value in headers.items():
            self.send_header(name.replace("_", "-"), str(value))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        name, _, rest = self.path.split("?")[0].strip("/").partition("/")
        if name == "fixed":
            self.answer(200, FIXED_BODY)
        elif name == "status" and rest.isdigit():
            self.answer(int(rest), b"<html><body>Status %s from the test server</body></html>" % rest.encode())
        elif name == "redirect":
            self.answer(302, Location="/" + rest)
        elif name == "echo":
            self.answer(200, ("%s\n%s" % (self.command, self.headers.get("User-Agent", ""))).encode("latin-1"))
        elif name == "close":
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
        elif name == "silent":
            never.wait()
        elif name == "stall":
            self.answer(200, b"0123456789", Content_Length=1000)
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

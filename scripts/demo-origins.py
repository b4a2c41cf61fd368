#!/usr/bin/env python3
"""Demo update servers on loopback: each port answers HEAD/GET with 200 after its delay.

usage: demo-origins.py PORT:DELAY_MS [PORT:DELAY_MS ...]
Runs until it is terminated, or for at most --lifetime seconds (default 600).
"""
import argparse
import http.server
import socketserver
import threading
import time


def make_handler(delay_s):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def _answer(self, body):
            time.sleep(delay_s)
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            return body

        def do_HEAD(self):
            self._answer(b"update server ok\n")

        def do_GET(self):
            self.wfile.write(self._answer(b"update server ok\n"))

        def log_message(self, fmt, *args):
            pass

    return Handler


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("origins", nargs="+", help="PORT:DELAY_MS")
    parser.add_argument("--lifetime", type=float, default=600)
    args = parser.parse_args()
    for origin in args.origins:
        port, delay = origin.split(":")
        server = Server(("127.0.0.1", int(port)), make_handler(int(delay) / 1000.0))
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print("demo origins listening: " + ", ".join(args.origins), flush=True)
    time.sleep(args.lifetime)


if __name__ == "__main__":
    main()

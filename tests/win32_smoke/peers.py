#!/usr/bin/env python3
"""Loopback peers for the Win32 smoke test: an HTTP origin answering
"netprobe-smoke-ok\n" and a minimal SOCKS5 proxy (no auth, CONNECT only)
that only forwards to 127.0.0.1.  Prints "HTTP_PORT SOCKS_PORT" once ready;
exits after 600 s or when killed."""
import http.server
import socket
import socketserver
import struct
import sys
import threading


class Origin(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"netprobe-smoke-ok\n"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *a):
        pass


def recv_exact(s, n):
    b = b""
    while len(b) < n:
        c = s.recv(n - len(b))
        if not c:
            raise ConnectionError("eof")
        b += c
    return b


class Socks(socketserver.BaseRequestHandler):
    def handle(self):
        s = self.request
        s.settimeout(30)
        ver, n = recv_exact(s, 2)
        recv_exact(s, n)
        s.sendall(b"\x05\x00")
        ver, cmd, _, atyp = recv_exact(s, 4)
        if atyp == 1:
            host = socket.inet_ntoa(recv_exact(s, 4))
        elif atyp == 3:
            host = recv_exact(s, recv_exact(s, 1)[0]).decode()
        else:
            s.sendall(b"\x05\x08\x00\x01" + bytes(6))
            return
        port = struct.unpack(">H", recv_exact(s, 2))[0]
        if cmd != 1 or host not in ("127.0.0.1", "localhost"):
            s.sendall(b"\x05\x02\x00\x01" + bytes(6))  # not allowed: loopback only
            return
        up = socket.create_connection(("127.0.0.1", port), timeout=10)
        s.sendall(b"\x05\x00\x00\x01" + socket.inet_aton("127.0.0.1") + struct.pack(">H", 0))

        def pump(a, b):
            try:
                while True:
                    d = a.recv(65536)
                    if not d:
                        break
                    b.sendall(d)
            except OSError:
                pass
            finally:
                try:
                    b.shutdown(socket.SHUT_WR)
                except OSError:
                    pass

        t = threading.Thread(target=pump, args=(up, s), daemon=True)
        t.start()
        pump(s, up)
        t.join(30)
        up.close()


class TServer(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    http_srv = TServer(("127.0.0.1", 0), Origin)
    socks_srv = TServer(("127.0.0.1", 0), Socks)
    for srv in (http_srv, socks_srv):
        threading.Thread(target=srv.serve_forever, daemon=True).start()
    print(http_srv.server_address[1], socks_srv.server_address[1], flush=True)
    threading.Event().wait(600)


if __name__ == "__main__":
    sys.exit(main())

"""Smoke test of the shipped 32-bit netprobe inside the emulated i386 system, under wine32.

Runs from the exchange disk (argument: its mount point), which holds package/ (the release zip,
unpacked), bin/ (hostsim.exe and export_caller.exe) and receives out/: junit.xml, one log per
case and screenshot.xwd. Every server is a python3 origin on the guest's own 127.0.0.1.
"""

import http.server
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ET

IO = sys.argv[1]
OUT = os.path.join(IO, "out")
# The image's values; the two variables let the script be tried outside the guest.
PREFIX = os.environ.get("SMOKE_WINEPREFIX", "/opt/netprobe/wineprefix")
DISPLAY = os.environ.get("SMOKE_DISPLAY", "1")
DRIVE_C = os.path.join(PREFIX, "drive_c")
FRAMEBUFFER = f"/tmp/fb{DISPLAY}/Xvfb_screen0"
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEARCH="win32", WINEDEBUG="-all",
           WINEDLLOVERRIDES="mscoree,mshtml=", LANG="zh_CN.UTF-8", DISPLAY=":" + DISPLAY)
for name in ("LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANGUAGE"):
    ENV.pop(name, None)
NCC = ('<?xml version="1.0" encoding="UTF-8"?><CONFIG><COMMUNICATIONS><UPDATE><NAME>up</NAME>'
       '<SERVERS><SERVER><SERVERIP>127.0.0.1</SERVERIP><PORT>{port}</PORT>'
       '<SERVERACTION>{action}</SERVERACTION></SERVER></SERVERS><TIMEOUT>15000</TIMEOUT>'
       '</UPDATE></COMMUNICATIONS></CONFIG>')


class Origin(http.server.BaseHTTPRequestHandler):
    """200 for /ok, 404 for everything else."""

    def do_HEAD(self):
        self.send_response(200 if self.path == "/ok" else 404)
        self.send_header("Content-Length", "0")
        self.end_headers()

    do_GET = do_HEAD

    def log_message(self, *args):
        pass


def closed_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def install(folder):
    """The package unpacked into C:\\<folder>, with the two test hosts beside the DLL."""
    path = os.path.join(DRIVE_C, folder)
    shutil.copytree(os.path.join(IO, "package"), path, dirs_exist_ok=True)
    for exe in ("hostsim.exe", "export_caller.exe"):
        shutil.copy(os.path.join(IO, "bin", exe), path)
    return path


def configure(path, port, action):
    with open(os.path.join(path, "MainCommunication.ncc"), "w", encoding="utf-8") as f:
        f.write(NCC.format(port=port, action=action))


def wine(path, exe, *args, timeout=300):
    """Runs exe from the install folder path; returns (exit status, output as text)."""
    run = subprocess.run(["wine", exe, *args], cwd=path, env=ENV, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
    return run.returncode, run.stdout.decode("utf-8", "replace")


class Suite:
    def __init__(self):
        self.cases = []

    def case(self, name, check):
        start = time.monotonic()
        try:
            failure, log = check()
        except Exception as e:  # a case that breaks is a failed case, the others still run
            failure, log = f"{type(e).__name__}: {e}", ""
        elapsed = time.monotonic() - start
        with open(os.path.join(OUT, name + ".log"), "w", encoding="utf-8") as f:
            f.write(log)
        log = "".join(c for c in log if c >= " " or c in "\t\n\r")  # what XML can carry
        self.cases.append((name, elapsed, failure, log))
        print(f"{'FAIL' if failure else 'ok  '} {name} ({elapsed:.1f}s) {failure or ''}", flush=True)

    def write(self):
        failures = sum(1 for c in self.cases if c[2])
        suite = ET.Element("testsuite", name="i386-smoke", tests=str(len(self.cases)),
                           failures=str(failures), errors="0",
                           time=f"{sum(c[1] for c in self.cases):.1f}")
        for name, elapsed, failure, log in self.cases:
            case = ET.SubElement(suite, "testcase", classname="i386-smoke", name=name,
                                 time=f"{elapsed:.1f}")
            if failure:
                ET.SubElement(case, "failure", message=failure).text = log
            ET.SubElement(case, "system-out").text = log
        ET.ElementTree(suite).write(os.path.join(OUT, "junit.xml"), encoding="utf-8",
                                    xml_declaration=True)


def expect(status, output, want_status, *texts):
    if status != want_status:
        return f"exit status {status}, expected {want_status}", output
    missing = [t for t in texts if t not in output]
    return (f"output lacks {missing}" if missing else None), output


def cli_test(path, want_passed, *texts):
    def check():
        status, output = wine(path, "netprobe.exe", "test", "--json")
        failure, log = expect(status, output, 0 if want_passed else 1, *texts)
        if not failure and json.loads(output)["passed"] is not want_passed:
            failure = f"passed is not {want_passed}"
        return failure, log
    return check


def export_caller(path, returned):
    return lambda: expect(*wine(path, "export_caller.exe"), 1 - returned,
                          f"TestUpdateServer returned {returned}")


def hostsim(path, passed):
    return lambda: expect(*wine(path, "hostsim.exe", "--run", "--exit"), 0 if passed else 1,
                          "verdict " + ("passed" if passed else "failed"))


def screenshot(path):
    """hostsim shows its main frame and the module's base dialog, runs the test and lingers;
    the screen is copied from Xvfb's frame buffer file while the windows are up."""
    def check():
        log_path = os.path.join(OUT, "screenshot-hostsim.out")
        with open(log_path, "wb") as log:
            proc = subprocess.Popen(["wine", "hostsim.exe", "--dialog", "--run", "--exit",
                                     "--linger", "8000"], cwd=path, env=ENV,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        try:
            deadline = time.monotonic() + 300
            while time.monotonic() < deadline and proc.poll() is None:
                with open(log_path, "rb") as f:
                    if b"verdict" in f.read():
                        break
                time.sleep(0.5)
            time.sleep(3)  # the windows repaint after the wait window went away
            shutil.copy(FRAMEBUFFER, os.path.join(OUT, "screenshot.xwd"))
            status = proc.wait(timeout=300)
        finally:
            if proc.poll() is None:
                proc.kill()
        with open(log_path, encoding="utf-8", errors="replace") as f:
            output = f.read()
        failure, log = expect(status, output, 0, "verdict passed")
        colours = distinct_colours(os.path.join(OUT, "screenshot.xwd"))
        log += f"\nscreenshot: {colours} distinct colours\n"
        if not failure and colours < 4:  # a blank screen has one
            failure = f"the screenshot is nearly blank ({colours} colours)"
        return failure, log
    return check


def distinct_colours(xwd):
    with open(xwd, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height, bpp, line, ncolors = (header[0], header[4], header[5],
                                                      header[11], header[12], header[19])
    pixels = data[header_size + 12 * ncolors:]
    step = bpp // 8
    seen = set()
    for y in range(0, height, 4):
        row = pixels[y * line:y * line + width * step]
        seen.update(row[x:x + step] for x in range(0, len(row), step * 4))
    return len(seen)


def start_display():
    os.makedirs(os.path.dirname(FRAMEBUFFER), exist_ok=True)
    xvfb = subprocess.Popen(["Xvfb", ":" + DISPLAY, "-nolisten", "tcp", "-fbdir", os.path.dirname(FRAMEBUFFER),
                             "-screen", "0", "1024x768x24"],
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    for _ in range(200):
        if os.path.exists("/tmp/.X11-unix/X" + DISPLAY):
            break
        time.sleep(0.1)
    # One persistent wineserver for every case.
    subprocess.run(["wineserver", "-p"], env=ENV, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wine", "cmd", "/c", "exit"], env=ENV, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
    return xvfb


def main():
    os.makedirs(OUT, exist_ok=True)
    start = time.monotonic()
    xvfb = start_display()
    print(f"display and wineserver up in {time.monotonic() - start:.1f}s", flush=True)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Origin)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]

    suite = Suite()
    plain = install("netprobe")
    suite.case("version", lambda: expect(*wine(plain, "netprobe.exe", "--version"), 0, "netprobe"))
    configure(plain, port, "ok")
    suite.case("passed.netprobe_exe", cli_test(plain, True))
    suite.case("passed.export_caller", export_caller(plain, 1))
    suite.case("passed.hostsim", hostsim(plain, True))
    configure(plain, closed_port(), "ok")
    suite.case("refused.netprobe_exe", cli_test(plain, False, "网络连接异常"))
    suite.case("refused.export_caller", export_caller(plain, 0))
    configure(plain, port, "missing")
    suite.case("not_found.netprobe_exe", cli_test(plain, False, "目标地址无法到达"))
    suite.case("not_found.export_caller", export_caller(plain, 0))
    chinese = install("税务软件/网络检测")
    configure(chinese, port, "ok")
    suite.case("chinese_folder.netprobe_exe", cli_test(chinese, True))
    suite.case("chinese_folder.export_caller", export_caller(chinese, 1))
    suite.case("chinese_folder.screenshot", screenshot(chinese))
    suite.write()

    subprocess.run(["wineserver", "-k"], env=ENV)
    xvfb.terminate()
    server.shutdown()
    print(f"done in {time.monotonic() - start:.1f}s", flush=True)


if __name__ == "__main__":
    main()

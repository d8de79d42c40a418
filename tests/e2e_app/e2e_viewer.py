#!/usr/bin/env python3
"""Finding and keeping channels, end to end: the real player under Xvfb in a
network and mount namespace of its own (as e2e_player.py runs it), with a
playlist of three channels whose logos come from a local web server.

First run: Ctrl+F, a name typed, Enter plays the channel found; Ctrl+D
makes it a favourite. Second run: the channel watched last plays by
itself, and it is still a favourite (Ctrl+D takes it out again). Third
run, with --no-resume: nothing plays by itself.

Usage: e2e_viewer.py PROGRAM [--shots DIR]
Exits 77 (skipped) when not root or when a tool is missing.
"""

import functools
import http.server
import os
import shutil
import socketserver
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_player import (CLIENT_X, CLIENT_Y, FAILURE_SHOT, PLAYER, SKIP, TOOLS, X, fail, log,  # noqa: E402
                        read_display, start_servers, stop_program, video_plays, wait_for)

LOGO_PORT = 8081
STREAM = "http://live.example:8080"
CHANNELS = [("Alpha News", "alpha", (200, 30, 30)), ("Beta Sport", "beta", (30, 160, 30)),
            ("Gamma Movies", "gamma", (30, 60, 200))]


def png(rgb, size=32):
    """A plain square PNG of one colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    raw = b"".join(b"\x00" + bytes(rgb) * size for _ in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def serve_logos(www):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=www)

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    server = Server(("127.0.0.1", LOGO_PORT), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def inside(program, shots):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    work = tempfile.mkdtemp(prefix="pellamo-e2e-viewer-")
    hosts = os.path.join(work, "hosts")
    with open(hosts, "w") as f:
        f.write("127.0.0.1 localhost live.example logos.example\n")
    subprocess.run(["mount", "--bind", hosts, "/etc/hosts"], check=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)

    www = os.path.join(work, "www")
    os.makedirs(www)
    store = os.path.join(work, ".config", "pellamo", "playlists")
    os.makedirs(store)
    text = "#EXTM3U\n"
    for title, name, rgb in CHANNELS:
        with open(os.path.join(www, name + ".png"), "wb") as f:
            f.write(png(rgb))
        text += '#EXTINF:-1 tvg-logo="http://logos.example:%d/%s.png" group-title="Test",%s\n%s/%s\n' % (
            LOGO_PORT, name, title, STREAM, name)
    # A hostile entry: its logo is never fetched, its name is shown safely.
    text += '#EXTINF:-1 tvg-logo="file:///etc/passwd",\x01Evil %s\n%s/evil\n' % ("x" * 10000, STREAM)
    with open(os.path.join(store, "test.m3u"), "w") as f:
        f.write(text)

    media = os.path.join(work, "stream.ts")
    subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "120",
                    "-c:v", "mpeg2video", "-q:v", "5", "-f", "mpegts", media], check=True, timeout=60)
    pages, streams, servers = start_servers(media)
    servers.append(serve_logos(www))

    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"],
                            pass_fds=[write_fd], stderr=open(os.path.join(work, "xvfb.log"), "w"))
    os.close(write_fd)
    display = ":" + read_display(read_fd)
    x = X(display)
    if shots:
        FAILURE_SHOT.update(path=os.path.join(shots, "failure.png"), env=x.env)
    env = dict(x.env, HOME=work)
    for key in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
        env.pop(key, None)
    try:
        scenario(x, program, env, streams, store, work, shots)
        log("PASS")
    finally:
        xvfb.terminate()
        xvfb.wait()
        for s in servers:
            s.shutdown()
        for mount in ("/tmp/.X11-unix", "/etc/hosts"):
            subprocess.run(["umount", mount])
        shutil.rmtree(work, ignore_errors=True)


def scenario(x, program, env, streams, store, work, shots):
    favourites = os.path.join(store, "favourites.m3u")

    def start(*args):
        player = subprocess.Popen([program] + list(args), env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                  text=True, cwd=work)
        main = x.find("^Pellamo$")
        if not main:
            stop_program(player)
            fail("the main window did not appear")
        mx, my, _, _ = x.geometry(main)
        video = (mx + CLIENT_X + PLAYER[0], my + CLIENT_Y + PLAYER[1], PLAYER[2], PLAYER[3])
        return player, main, (mx, my), video

    def requested(name):
        return sum(1 for _, p in streams.paths() if p == "/" + name)

    def favourite(name):
        return os.path.exists(favourites) and name in open(favourites, encoding="utf-8").read()

    log("first run: search, play, keep")
    player, main, (mx, my), video = start()
    try:
        # Focus the window by its caption bar, then search.
        x.click(mx + 200, my + 10)
        x.keys("ctrl+f")
        time.sleep(0.3)
        x.run("xdotool", "type", "--delay", "40", "gamma")
        time.sleep(0.5)
        if shots:
            x.shot(os.path.join(shots, "search.png"), main)
        x.keys("Return")
        wait_for("the stream of the channel found", lambda: requested("gamma") >= 1, 20)
        wait_for("video of the channel found", lambda: video_plays(x, video), 20)
        x.keys("ctrl+d")
        wait_for("the channel among the favourites", lambda: favourite("Gamma Movies"), 5)
        time.sleep(1.0)  # the logos
        if shots:
            x.shot(os.path.join(shots, "logos.png"), main)
        if requested("evil"):
            fail("a channel nobody chose was played")
    finally:
        stop_program(player)
    logos = os.path.join(work, ".cache", "pellamo", "logos")
    if len([f for f in os.listdir(logos) if f.endswith(".logo")]) != 3:
        fail("the three logos are not in the cache: %s" % os.listdir(logos))

    log("second run: the last channel plays again, still a favourite")
    before = requested("gamma")
    player, main, (mx, my), video = start()
    try:
        wait_for("the last channel playing again", lambda: requested("gamma") > before, 20)
        wait_for("video of the last channel", lambda: video_plays(x, video), 20)
        x.click(mx + 200, my + 10)
        x.keys("ctrl+d")  # the favourite it is: taken out
        wait_for("the favourite taken out", lambda: not favourite("Gamma Movies"), 5)
    finally:
        stop_program(player)

    log("third run, --no-resume: nothing plays by itself")
    before = requested("gamma")
    player, main, _, _ = start("--no-resume")
    try:
        time.sleep(3)
        if requested("gamma") != before:
            fail("a channel played despite --no-resume")
    finally:
        stop_program(player)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    shots = None
    if "--shots" in sys.argv:
        shots = os.path.abspath(sys.argv[sys.argv.index("--shots") + 1])
        os.makedirs(shots, exist_ok=True)
    if "--inside" in sys.argv:
        inside(program, shots)
        return 0
    if os.geteuid() != 0:
        log("SKIP: needs root for its own network and mount namespace (unshare)")
        return SKIP
    missing = [t for t in TOOLS if not shutil.which(t)]
    if missing:
        log("SKIP: missing tools: " + " ".join(missing))
        return SKIP
    args = ["unshare", "-n", "-m", "--propagation", "private", sys.executable, os.path.abspath(__file__), program,
            "--inside"]
    if shots:
        args += ["--shots", shots]
    return subprocess.run(args, timeout=170).returncode


if __name__ == "__main__":
    sys.exit(main())

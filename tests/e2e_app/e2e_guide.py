#!/usr/bin/env python3
"""The programme guide, end to end: the real player under Xvfb in a network
and mount namespace of its own (as e2e_playlists.py runs it). A playlist
downloaded over HTTPS names its guide with url-tvg; the guide is a gzip
file on the same local HTTPS server, served as a plain file (no
Content-Encoding). The program downloads and imports it in the
background; choosing the playlist's channel then shows the running
programme in the caption bar, and Ctrl+G opens the guide window with the
day's programmes, the running one selected.

Usage: e2e_guide.py PROGRAM [--shots DIR]
Exits 77 (skipped) when not root or when a tool is missing.
"""

import gzip
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_player import (CLIENT_X, CLIENT_Y, FAILURE_SHOT, ROW, SKIP, TOOLS, TREE, X, fail, log,  # noqa: E402
                        read_display, stop_program, wait_for)
from e2e_playlists import HTTPS_PORT, serve_playlists  # noqa: E402

# The caption strip of the picture panel, in the frame's coordinates: the
# channel's name on the left, the guide's line after it.
CAPTION_STRIP = (0, 42, 469, 20)
GUIDE_PART_LEFT = 200  # the name alone ends well before this


def xmltv_time(t):
    return time.strftime("%Y%m%d%H%M%S +0000", time.gmtime(t))


def guide(now):
    programmes = [(now - 1800, now + 1800, "新闻联播"), (now + 1800, now + 3600, "焦点访谈"),
                  (now + 3600, now + 5400, "天气预报")]
    text = '<?xml version="1.0" encoding="UTF-8"?>\n<tv>\n<channel id="cctv1.cn"><display-name>CCTV-1</display-name>' \
           '</channel>\n'
    for start, stop, title in programmes:
        text += '<programme start="%s" stop="%s" channel="cctv1.cn"><title>%s</title><desc>%s的介绍。</desc>' \
                '</programme>\n' % (xmltv_time(start), xmltv_time(stop), title, title)
    return text + "</tv>\n"


def inside(program, shots):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    work = tempfile.mkdtemp(prefix="pellamo-e2e-guide-")
    hosts = os.path.join(work, "hosts")
    with open(hosts, "w") as f:
        f.write("127.0.0.1 localhost lists.example epg.example\n")
    subprocess.run(["mount", "--bind", hosts, "/etc/hosts"], check=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)
    cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                    "-days", "2", "-subj", "/CN=lists.example",
                    "-addext", "subjectAltName=DNS:lists.example,DNS:epg.example",
                    "-keyout", key, "-out", cert], check=True, capture_output=True)
    os.makedirs("/etc/ssl/certs", exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/etc/ssl/certs"], check=True)
    shutil.copy(cert, "/etc/ssl/certs/ca-certificates.crt")

    www = os.path.join(work, "www")
    os.makedirs(www)
    with open(os.path.join(www, "guide.xml.gz"), "wb") as f:
        f.write(gzip.compress(guide(int(time.time())).encode()))
    with open(os.path.join(www, "tv.m3u"), "w") as f:
        f.write('#EXTM3U url-tvg="https://epg.example:%d/guide.xml.gz"\n' % HTTPS_PORT
                + '#EXTINF:-1 tvg-id="cctv1.cn",中央一台\nhttp://live.example:8080/cctv1\n'
                + '#EXTINF:-1,凤凰中文\nhttp://live.example:8080/phoenix\n')
    servers = serve_playlists(www, cert, key)

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
    for name in ("XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
        env.pop(name, None)
    player = subprocess.Popen([program, "https://lists.example:%d/tv.m3u" % HTTPS_PORT],
                              env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=work)
    try:
        scenario(x, work, shots)
        log("PASS")
    finally:
        stop_program(player)
        xvfb.terminate()
        xvfb.wait()
        for s in servers:
            s.shutdown()
        for mount in ("/etc/ssl/certs", "/tmp/.X11-unix", "/etc/hosts"):
            subprocess.run(["umount", mount])
        shutil.rmtree(work, ignore_errors=True)


def dark_pixels(rgb):
    return sum(1 for i in range(0, len(rgb) - 2, 3) if rgb[i] < 100 and rgb[i + 1] < 100 and rgb[i + 2] < 100)


def selection_pixels(rgb):
    """Pixels of the list's selection: a dark blue."""
    return sum(1 for i in range(0, len(rgb) - 2, 3) if rgb[i] < 60 and rgb[i + 1] < 80 and rgb[i + 2] > 90)


def scenario(x, work, shots):
    main = x.find("^Pellamo$")
    if not main:
        fail("the main window did not appear")
    mx, my, _, _ = x.geometry(main)
    cx, cy = mx + CLIENT_X, my + CLIENT_Y
    tree = (cx + TREE[0], cy + TREE[1])
    guide_part = (cx + CAPTION_STRIP[0] + GUIDE_PART_LEFT, cy + CAPTION_STRIP[1],
                  CAPTION_STRIP[2] - GUIDE_PART_LEFT - 4, CAPTION_STRIP[3])

    database = os.path.join(work, ".cache", "pellamo", "guide.sqlite")

    def programmes():
        if not os.path.exists(database):
            return 0
        try:
            with sqlite3.connect("file:%s?mode=ro" % database, uri=True) as db:
                return db.execute("SELECT count(*) FROM programmes").fetchone()[0]
        except sqlite3.Error:
            return 0

    log("the playlist and its guide download over HTTPS; the guide is imported")
    wait_for("the guide's programmes in the database", lambda: programmes() == 3, 30)

    log("a channel the guide does not know: the caption is its name alone")
    x.click(tree[0] + 60, tree[1] + 2 + 2 * ROW + ROW // 2)
    time.sleep(1.0)
    if dark_pixels(x.grab(*guide_part)) > 0:
        fail("text after the name of a channel the guide does not know")

    log("the channel of the guide: the caption shows the running programme")
    x.click(tree[0] + 60, tree[1] + 2 + 1 * ROW + ROW // 2)
    wait_for("the guide's line in the caption bar", lambda: dark_pixels(x.grab(*guide_part)) > 40, 15)
    if shots:
        x.shot(os.path.join(shots, "guide_caption.png"), main)

    log("Ctrl+G: the guide window lists the day, the running programme selected")
    x.keys("ctrl+g")

    def guide_window():
        for window in x.run("xdotool", "search", "--onlyvisible", "--name", ".", check=False).split():
            if x.run("xdotool", "getwindowname", window, check=False).strip() == "节目指南 — 中央一台":
                return window
        return None

    wait_for("the guide window", lambda: guide_window() is not None, 10)
    window = guide_window()
    gx, gy, gw, gh = x.geometry(window)
    wait_for("the day's programmes with one selected",
             lambda: selection_pixels(x.grab(gx, gy + 50, gw, gh - 150)) > 300, 10)
    if shots:
        x.shot(os.path.join(shots, "guide_window_e2e.png"), window)
    x.keys("Escape")
    wait_for("the guide window to close", lambda: guide_window() is None, 10)


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
    missing = [t for t in TOOLS + ["openssl"] if not shutil.which(t)]
    if missing:
        log("SKIP: missing tools: " + " ".join(missing))
        return SKIP
    args = ["unshare", "-n", "-m", "--propagation", "private", sys.executable, os.path.abspath(__file__),
            program, "--inside"]
    if shots:
        args += ["--shots", shots]
    return subprocess.run(args, timeout=140).returncode


if __name__ == "__main__":
    sys.exit(main())

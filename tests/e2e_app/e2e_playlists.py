#!/usr/bin/env python3
"""The viewer's own channels, end to end: the real player under Xvfb in a
network and mount namespace of its own (as e2e_player.py runs it), with
playlists added from the command line, through the open dialog, by a drop
(XDND, with the xdnd_drop tool) and from local web servers over HTTP and
HTTPS, and a channel of one of them played.

The namespace's hosts file points lists.example and live.example at
127.0.0.1. The HTTPS server's certificate is made here, and the program
trusts it because the namespace's /etc/ssl/certs holds it as the system's
certificate bundle: the program itself keeps no configuration for it.

Usage: e2e_playlists.py PROGRAM --xdnd-drop TOOL [--shots DIR]
Exits 77 (skipped) when not root or when a tool is missing.
"""

import functools
import http.server
import os
import shutil
import socketserver
import ssl
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_player import (CLIENT_X, CLIENT_Y, FAILURE_SHOT, PLAYER, ROW, SKIP, TOOLS, TREE, X, fail, log,  # noqa: E402
                        read_display, start_servers, stop_program, video_plays, wait_for)

PLAYLIST_PORT = 8081
HTTPS_PORT = 8443
STREAM = "http://live.example:8080"


def playlist(name, titles=None, group=""):
    """An M3U list whose channels are streams of the local media server."""
    titles = titles or ["%s %d" % (name.capitalize(), i) for i in (1, 2)]
    text = "#EXTM3U\n"
    for i, title in enumerate(titles, 1):
        text += '#EXTINF:-1 tvg-id="%s%d" group-title="%s",%s\n%s/%s%d\n' % (name, i, group, title, STREAM, name, i)
    return text


def serve_playlists(www, cert, key):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=www)
    handler.log_message = lambda *args: None

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    plain = Server(("127.0.0.1", PLAYLIST_PORT), handler)
    secure = Server(("127.0.0.1", HTTPS_PORT), handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for s in (plain, secure):
        threading.Thread(target=s.serve_forever, daemon=True).start()
    return [plain, secure]


def inside(program, xdnd_drop, shots):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    work = tempfile.mkdtemp(prefix="pellamo-e2e-lists-")
    hosts = os.path.join(work, "hosts")
    with open(hosts, "w") as f:
        f.write("127.0.0.1 localhost lists.example live.example\n")
    subprocess.run(["mount", "--bind", hosts, "/etc/hosts"], check=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)

    # A certificate for lists.example, trusted as the only system certificate.
    cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                    "-days", "2", "-subj", "/CN=lists.example", "-addext", "subjectAltName=DNS:lists.example",
                    "-keyout", key, "-out", cert], check=True, capture_output=True)
    os.makedirs("/etc/ssl/certs", exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/etc/ssl/certs"], check=True)
    shutil.copy(cert, "/etc/ssl/certs/ca-certificates.crt")

    www = os.path.join(work, "www", "tv")
    os.makedirs(www)
    # Groups come last in the tree's order, so the rows counted below stay put.
    with open(os.path.join(www, "web.m3u"), "w") as f:
        f.write(playlist("web", ["中央一台", "凤凰中文", "东方卫视"], "新闻"))
    with open(os.path.join(www, "secure.m3u"), "w") as f:
        f.write(playlist("secure"))
    for name in ("cli", "dialog", "drop"):
        with open(os.path.join(work, name + ".m3u"), "w") as f:
            f.write(playlist(name))

    media = os.path.join(work, "stream.ts")
    subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "120",
                    "-c:v", "mpeg2video", "-q:v", "5", "-f", "mpegts", media], check=True, timeout=60)
    pages, streams, servers = start_servers(media)
    servers += serve_playlists(os.path.join(work, "www"), cert, key)

    read_fd, write_fd = os.pipe()
    # -noreset: the server would otherwise reset whenever its last client (a
    # short xdotool or xprop) leaves, and refuse the program connecting then.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"],
                            pass_fds=[write_fd], stderr=open(os.path.join(work, "xvfb.log"), "w"))
    os.close(write_fd)
    display = ":" + read_display(read_fd)
    x = X(display)
    if shots:
        FAILURE_SHOT.update(path=os.path.join(shots, "failure.png"), env=x.env)
    env = dict(x.env, HOME=work)
    env.pop("XDG_CONFIG_HOME", None)
    store = os.path.join(work, ".config", "pellamo", "playlists")
    player = subprocess.Popen([program, os.path.join(work, "cli.m3u"), "http://lists.example:%d/tv/web.m3u" % PLAYLIST_PORT],
                              env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=work)
    try:
        scenario(x, display, xdnd_drop, streams, store, work, shots)
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


def scenario(x, display, xdnd_drop, streams, store, work, shots):
    main = x.find("^Pellamo$")
    if not main:
        fail("the main window did not appear")
    mx, my, mw, mh = x.geometry(main)
    cx, cy = mx + CLIENT_X, my + CLIENT_Y
    tree = (cx + TREE[0], cy + TREE[1], TREE[2], TREE[3])
    video = (cx + PLAYER[0], cy + PLAYER[1], PLAYER[2], PLAYER[3])

    def stored(name):
        return os.path.exists(os.path.join(store, name + ".m3u"))

    def no_error_box():
        box = x.find("^Pellamo .", 0.3)
        if box:
            fail("an error box: " + x.run("xdotool", "getwindowname", box).strip())

    log("command line: a file and a web playlist")
    wait_for("the playlist given as a file", lambda: stored("cli"))
    wait_for("the playlist downloaded over HTTP", lambda: stored("web"), 20)
    no_error_box()

    # Focus the window (a category row of the television tree: nothing plays).
    x.click(tree[0] + 40, tree[1] + 2 + ROW // 2)

    def dialog_shown():
        # Titles compared here: xdotool's patterns depend on its locale.
        for window in x.run("xdotool", "search", "--onlyvisible", "--name", ".", check=False).split():
            if x.run("xdotool", "getwindowname", window, check=False).strip() == "打开播放列表":
                return True
        return False

    def open_dialog(text):
        x.keys("ctrl+o")
        wait_for("the dialog that Ctrl+O opens", dialog_shown, 5)
        x.run("xdotool", "type", "--delay", "20", text)
        x.keys("Return")
        wait_for("the dialog to close", lambda: not dialog_shown())

    log("open dialog: a file, then a playlist over HTTPS with the test certificate")
    open_dialog(os.path.join(work, "dialog.m3u"))
    wait_for("the playlist from the dialog", lambda: stored("dialog"))
    open_dialog("https://lists.example:%d/tv/secure.m3u" % HTTPS_PORT)
    wait_for("the playlist downloaded over HTTPS", lambda: stored("secure"), 20)
    no_error_box()

    log("drop: a file dragged onto the window")
    r = subprocess.run([xdnd_drop, "--display", display, "--window", main, "--at", "%d,%d" % (mx + mw // 2, my + mh // 2),
                        "file://" + os.path.join(work, "drop.m3u")], capture_output=True, text=True, timeout=30)
    if r.returncode != 0:
        fail("the window did not take the drop (%d): %s" % (r.returncode, r.stderr.strip()))
    wait_for("the dropped playlist", lambda: stored("drop"))
    no_error_box()

    log("play a channel of the dropped list")
    # Every list added in this run is open, by name: cli, dialog, drop,
    # secure, web, the first four with two channels each; the first
    # channel of "drop" is the eighth row.
    time.sleep(0.5)
    x.click(tree[0] + 60, tree[1] + 2 + 7 * ROW + ROW // 2)
    wait_for("the stream of the channel", lambda: any(p == "/drop1" for _, p in streams.paths()), 20)

    wait_for("video of the channel", lambda: video_plays(x, video), 20)
    no_error_box()
    if shots:
        x.shot(os.path.join(shots, "my_channels.png"), main)


def main():
    if len(sys.argv) < 2 or "--xdnd-drop" not in sys.argv:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    xdnd_drop = os.path.abspath(sys.argv[sys.argv.index("--xdnd-drop") + 1])
    shots = None
    if "--shots" in sys.argv:
        shots = os.path.abspath(sys.argv[sys.argv.index("--shots") + 1])
        os.makedirs(shots, exist_ok=True)
    if "--inside" in sys.argv:
        inside(program, xdnd_drop, shots)
        return 0
    if os.geteuid() != 0:
        log("SKIP: needs root for its own network and mount namespace (unshare)")
        return SKIP
    missing = [t for t in TOOLS + ["openssl"] if not shutil.which(t)]
    if missing:
        log("SKIP: missing tools: " + " ".join(missing))
        return SKIP
    args = ["unshare", "-n", "-m", "--propagation", "private", sys.executable, os.path.abspath(__file__),
            program, "--xdnd-drop", xdnd_drop, "--inside"]
    if shots:
        args += ["--shots", shots]
    return subprocess.run(args, timeout=140).returncode


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Runs the real player under Xvfb in a network and mount namespace of its
own and drives it with xdotool, as a viewer would.

The namespace has only a loopback interface. A hosts file bound over
/etc/hosts points the catalogue's page sites and one stream host at
127.0.0.1, where a local HTTP server on port 80 serves station pages with
the stream address at its byte position and a second server serves a media
stream made with ffmpeg. www.sctv.example points at 127.0.0.2, where nothing
listens, so its pages are refused.

Usage: e2e_player.py PROGRAM [--shots DIR] [--openbox]
With --openbox the window manager openbox runs on the display, as on a
desktop; without it there is none.
Exits 77 (skipped) when not root or when a tool is missing.
"""

import http.server
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
TOOLS = ["unshare", "ip", "mount", "Xvfb", "xdotool", "ffmpeg", "import"]

# Where things are in the main window, from its outer top-left corner. The
# skinned frame covers the client area, inside a 3-pixel border: its title
# bar (20 pixels) and menu bar (22) are part of it, and the controls are
# placed in the frame's own coordinates, below the two bars.
FRAME = 3
CAPTION = 20
MENU_BAR = 22
CLIENT_X = FRAME
CLIENT_Y = FRAME
TREE = (470, 42, 163, 369)  # left, top, width, height in the frame
PLAYER = (3, 65, 463, 343)
ROW = int(os.environ.get("E2E_TREE_ROW", "16"))
MENU_ITEM = int(os.environ.get("E2E_MENU_ITEM", "20"))
# Menu bar titles' x centres, from the frame's left edge.
MENU_TITLES = {"节目选择": 30, "实用工具": 90, "皮肤": 138, "帮助": 174}
# Title bar buttons' x centres, from the window's right edge.
CLOSE_BUTTON = 17

# Television tree: category indexes and the channels tried.
CCTV, GUANGDONG, SICHUAN = 3, 5, 10

STREAM_PORT = 8080
GZ_ADDRESS_LENGTH = 77


def log(*args):
    print("[e2e]", *args, flush=True)


FAILURE_SHOT = {}


def fail(message):
    log("FAIL:", message)
    if FAILURE_SHOT:
        subprocess.run(["import", "-window", "root", FAILURE_SHOT["path"]], env=FAILURE_SHOT["env"], timeout=20)
        log("screen at the failure:", FAILURE_SHOT["path"])
    raise SystemExit(1)


# --- servers ---------------------------------------------------------------

class Recorder:
    def __init__(self):
        self.lock = threading.Lock()
        self.requests = []

    def add(self, host, path):
        with self.lock:
            self.requests.append((host, path))

    def paths(self):
        with self.lock:
            return list(self.requests)


def gz_stream_address(page_id):
    """The 77-byte address a gztv page carries."""
    base = "http://live.cctv.example:%d/gz%s?pad=" % (STREAM_PORT, page_id)
    return base + "x" * (GZ_ADDRESS_LENGTH - len(base))


def station_page(host, query):
    if host.startswith("www.gztv.example"):
        page_id = query.split("id=")[-1]
        head = "<html><head><title>gztv</title></head><body>"
        head += "<!--" + "-" * (1042 - len(head) - 5) + ">"
        assert len(head) == 1042
        return (head + gz_stream_address(page_id) + "</body></html>").encode()
    return b"<html><body>no stream here</body></html>"


def start_servers(media_file):
    pages, streams = Recorder(), Recorder()

    class PageHandler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            pages.add(self.headers.get("Host", ""), self.path)
            body = station_page(self.headers.get("Host", ""), self.path)
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    class StreamHandler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            streams.add(self.headers.get("Host", ""), self.path)
            self.send_response(200)
            self.send_header("Content-Type", "video/mp2t")
            self.end_headers()
            # Sent at about its own pace so that it lasts the whole test.
            with open(media_file, "rb") as f:
                try:
                    while True:
                        chunk = f.read(64 * 1024)
                        if not chunk:
                            break
                        self.wfile.write(chunk)
                        time.sleep(0.2)
                except (BrokenPipeError, ConnectionResetError):
                    pass

        def log_message(self, *args):
            pass

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    servers = [Server(("127.0.0.1", 80), PageHandler), Server(("127.0.0.1", STREAM_PORT), StreamHandler)]
    for s in servers:
        threading.Thread(target=s.serve_forever, daemon=True).start()
    return pages, streams, servers


# --- X helpers ---------------------------------------------------------------

class X:
    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display)

    def run(self, *args, check=True):
        r = subprocess.run(list(args), env=self.env, capture_output=True, text=True, timeout=20)
        if check and r.returncode != 0:
            fail("%s: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout

    def find(self, name, timeout=10.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            out = self.run("xdotool", "search", "--onlyvisible", "--name", name, check=False).split()
            if out:
                return out[-1]
            time.sleep(0.1)
        return None

    def geometry(self, window):
        values = {}
        for line in self.run("xdotool", "getwindowgeometry", "--shell", window).splitlines():
            k, _, v = line.partition("=")
            values[k] = int(v) if v.lstrip("-").isdigit() else v
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def click(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")
        time.sleep(0.3)

    def keys(self, *names):
        for name in names:
            self.run("xdotool", "key", name)
            time.sleep(0.15)

    def grab(self, x, y, w, h):
        """Raw RGB bytes of a screen rectangle."""
        r = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "-depth", "8", "rgb:-"],
            env=self.env, capture_output=True, timeout=20)
        if r.returncode != 0:
            fail("import: " + r.stderr.decode(errors="replace"))
        return r.stdout

    def shot(self, path, window=None):
        subprocess.run(["import", "-window", window or "root", path], env=self.env, timeout=20, check=True)


def colours(rgb):
    return len({rgb[i:i + 3] for i in range(0, len(rgb) - 2, 3 * 7)})


def video_plays(x, video):
    """A colourful picture that changes within a second (the test
    picture's counter and moving gradient)."""
    a = x.grab(*video)
    time.sleep(1.0)
    b = x.grab(*video)
    return colours(b) > 20 and a != b


def wait_for(what, predicate, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if predicate():
            return
        time.sleep(0.2)
    fail("timed out waiting for " + what)


def stop_program(player):
    """Ends the program and shows the end of what it printed."""
    player.terminate()
    try:
        out, _ = player.communicate(timeout=5)
    except subprocess.TimeoutExpired:
        player.kill()
        out, _ = player.communicate()
    if out:
        log("program output:\n" + out[-4000:])


def read_display(fd):
    """The display number Xvfb writes (up to its newline) once it is ready.
    The pipe stays open: Xvfb treats a failed write as fatal."""
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(fd, 1)
        if not chunk:
            break
        number += chunk
    return number.decode().strip()


# --- the run -------------------------------------------------------------------

def inside(program, shots, openbox=False):
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    work = tempfile.mkdtemp(prefix="pellamo-e2e-")
    hosts = os.path.join(work, "hosts")
    with open(hosts, "w") as f:
        f.write("127.0.0.1 localhost\n")
        f.write("127.0.0.1 www.gztv.example www.smgbb.example www.dfmovie.example live.cctv.example\n")
        f.write("127.0.0.2 www.sctv.example\n")
    subprocess.run(["mount", "--bind", hosts, "/etc/hosts"], check=True)
    # X sockets of our own: the namespace's X server must neither see nor
    # replace the sockets of servers outside it.
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp/.X11-unix"], check=True)

    media = os.path.join(work, "stream.ts")
    subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "120",
                    "-c:v", "mpeg2video", "-q:v", "5", "-f", "mpegts", media], check=True, timeout=60)
    pages, streams, servers = start_servers(media)

    bin_dir = os.path.join(work, "bin")
    os.mkdir(bin_dir)
    opened = os.path.join(work, "opened.txt")
    with open(os.path.join(bin_dir, "xdg-open"), "w") as f:
        f.write("#!/bin/sh\nprintf '%%s\\n' \"$*\" >> %s\n" % opened)
    os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)

    read_fd, write_fd = os.pipe()
    # -noreset: the server would otherwise reset whenever its last client (a
    # short xdotool or xprop) leaves, and refuse the program connecting then.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"],
                            pass_fds=[write_fd], stderr=open(os.path.join(work, "xvfb.log"), "w"))
    os.close(write_fd)
    display = ":" + read_display(read_fd)
    log("display", display)
    x = X(display)
    if shots:
        FAILURE_SHOT.update(path=os.path.join(shots, "failure.png"), env=x.env)
    env = dict(x.env, PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""), HOME=work)
    wm = None
    if openbox:
        wm = subprocess.Popen(["openbox", "--sm-disable"], env=dict(x.env, HOME=work), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        wait_for("openbox to manage the screen", lambda: x.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK",
                                                               check=False).find("window id") >= 0, 10)
    player = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        scenario(x, pages, streams, opened, shots)
        log("close button")
        main = x.find("^Pellamo$")
        mx, my, mw, mh = x.geometry(main)
        x.click(mx + mw - CLOSE_BUTTON, my + FRAME + CAPTION // 2)
        try:
            player.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("the close button did not end the program")
        log("PASS")
    finally:
        stop_program(player)
        if wm:
            wm.terminate()
            wm.wait()
        if xvfb.poll() is not None:
            log("Xvfb ended early:\n" + open(os.path.join(work, "xvfb.log")).read()[-2000:])
        xvfb.terminate()
        xvfb.wait()
        for s in servers:
            s.shutdown()
        subprocess.run(["umount", "/tmp/.X11-unix"])
        subprocess.run(["umount", "/etc/hosts"])
        shutil.rmtree(work, ignore_errors=True)


def scenario(x, pages, streams, opened, shots):
    main = x.find("^Pellamo$")
    if not main:
        fail("the main window did not appear")
    mx, my, mw, mh = x.geometry(main)
    log("main window", mx, my, mw, mh)
    if (mw, mh) != (640, 435):
        fail("main window is %dx%d, not 640x435" % (mw, mh))
    cx, cy = mx + CLIENT_X, my + CLIENT_Y
    tree = (cx + TREE[0], cy + TREE[1], TREE[2], TREE[3])
    video = (cx + PLAYER[0], cy + PLAYER[1], PLAYER[2], PLAYER[3])

    def playing():
        return video_plays(x, video)

    def choose(category, child):
        # Categories are collapsed; the keys move through categories only,
        # so no channel on the way gets tuned.
        x.keys("Home", *(["Down"] * category), "Right", *(["Down"] * (child + 1)))

    def collapse():
        x.keys("Left", "Left")

    # Focus the tree by clicking its first row (a category: nothing plays).
    x.click(tree[0] + 40, tree[1] + 2 + ROW // 2)

    log("direct stream: CCTV-1")
    choose(CCTV, 0)
    wait_for("the stream request of CCTV-1", lambda: ("live.cctv.example:8080", "/cctv1") in streams.paths())
    wait_for("video in the player", playing, 20)

    log("category: nothing changes")
    before = len(streams.paths())
    x.keys("Left")  # to the category CCTV
    time.sleep(1.5)
    if len(streams.paths()) != before:
        fail("selecting a category requested a stream")
    if not playing():
        fail("playback stopped after selecting a category")
    x.keys("Left")  # collapse

    log("by mouse: CCTV-2")
    x.keys("Home", *(["Down"] * CCTV), "Right")  # open CCTV; its channels follow it
    x.click(tree[0] + 60, tree[1] + 2 + (CCTV + 2) * ROW + ROW // 2)
    wait_for("the stream request of CCTV-2", lambda: ("live.cctv.example:8080", "/cctv2") in streams.paths())
    wait_for("video of CCTV-2", playing, 20)
    collapse()

    log("page scrape: 广州卫视")
    choose(GUANGDONG, 0)
    wait_for("the station page", lambda: any(p == "/live_video.jsp?id=7" for _, p in pages.paths()))
    address = gz_stream_address("7")
    wanted_path = address[len("http://live.cctv.example:%d" % STREAM_PORT):]
    wait_for("the stream cut out of the page", lambda: any(p == wanted_path for _, p in streams.paths()))
    wait_for("video of the scraped stream", playing, 20)
    if shots:
        x.shot(os.path.join(shots, "main_window.png"), main)
    collapse()

    log("refused page host: 四川卫视")
    choose(SICHUAN, 0)
    box = x.find("^Pellamo .", 15)
    if not box:
        fail("no error message box")
    title = x.run("xdotool", "getwindowname", box).strip()
    if title != "Pellamo 网络电视":
        fail("the message box is titled %r" % title)
    bx, by, bw, bh = x.geometry(box)
    if not playing():
        fail("the previous channel stopped after the failed fetch")
    x.keys("Return")
    wait_for("the message box to close", lambda: not x.find("^Pellamo .", 0.5))
    collapse()

    def menu(title, index):
        item = (cx + MENU_TITLES[title] + 10, my + FRAME + CAPTION + MENU_BAR + MENU_ITEM * index + MENU_ITEM // 2)
        under = x.grab(item[0], item[1], 40, 4)
        x.click(cx + MENU_TITLES[title], my + FRAME + CAPTION + MENU_BAR // 2)
        wait_for("the drop-down of " + title, lambda: x.grab(item[0], item[1], 40, 4) != under, 5)
        x.click(*item)

    log("radio tree and back")
    # The expand buttons' strip shows the tree's shape; the selection's
    # colour depends on focus, so it is left out of the comparison.
    buttons = (tree[0] + 2, tree[1] + 2, 16, tree[3] - 4)
    tv_tree, tv_buttons = x.grab(*tree), x.grab(*buttons)
    menu("节目选择", 1)
    time.sleep(0.5)
    if x.grab(*tree) == tv_tree:
        fail("the radio tree did not replace the television tree")
    if not playing():
        fail("switching trees changed playback")
    menu("节目选择", 0)
    time.sleep(0.5)
    if x.grab(*buttons) != tv_buttons:
        fail("the television tree did not come back as it was")

    log("about window by the keyboard: F10 enters the menu bar")
    x.keys("F10", "Right", "Right", "Right", "Down", "Down", "Return")
    about = x.find("^About Us$")
    if not about:
        fail("the keyboard did not reach the about window")
    ax, ay, aw, ah = x.geometry(about)
    x.click(ax + aw - CLOSE_BUTTON, ay + FRAME + CAPTION // 2)
    wait_for("the about window to close", lambda: not x.find("^About Us$", 0.5))

    log("about window by the mouse")
    menu("帮助", 1)
    about = x.find("^About Us$")
    if not about:
        fail("the about window did not appear")
    ax, ay, aw, ah = x.geometry(about)
    # Halving truncates toward zero, as the window's integer rule does.
    want = (mx + int(mw / 2) - int(aw / 2), my + int(mh / 2) - int(ah / 2))
    if (ax, ay) != want:
        fail("about window at %d,%d, centred would be %d,%d" % (ax, ay, want[0], want[1]))
    if shots:
        x.shot(os.path.join(shots, "about_window.png"), about)
    x.click(ax + aw - CLOSE_BUTTON, ay + FRAME + CAPTION // 2)
    wait_for("the about window to close", lambda: not x.find("^About Us$", 0.5))

    log("web page command")
    menu("实用工具", 0)
    wait_for("xdg-open", lambda: os.path.exists(opened))
    with open(opened) as f:
        got = f.read().split()
    if got != ["http://www.onlinedown.example/soft/3336.htm"]:
        fail("xdg-open got %r" % got)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    shots = None
    if "--shots" in sys.argv:
        shots = os.path.abspath(sys.argv[sys.argv.index("--shots") + 1])
        os.makedirs(shots, exist_ok=True)
    openbox = "--openbox" in sys.argv
    if "--inside" in sys.argv:
        inside(program, shots, openbox)
        return 0
    if os.geteuid() != 0:
        log("SKIP: needs root for its own network and mount namespace (unshare)")
        return SKIP
    missing = [t for t in TOOLS + (["openbox", "xprop"] if openbox else []) if not shutil.which(t)]
    if missing:
        log("SKIP: missing tools: " + " ".join(missing))
        return SKIP
    args = ["unshare", "-n", "-m", "--propagation", "private", sys.executable, os.path.abspath(__file__),
            program, "--inside"]
    if shots:
        args += ["--shots", shots]
    if openbox:
        args.append("--openbox")
    return subprocess.run(args, timeout=120).returncode


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The program on the desktop's session bus, end to end: the real player
under Xvfb and a session bus of its own (dbus-run-session). A second start
hands its playlist to the running player and ends; --new-instance starts
another anyway; the media controls (MPRIS, driven with gdbus) switch the
channel, answer for the player and end it. A last start resumes a channel
of a playlist whose guide (--guide) and logo (a web server on loopback)
the metadata then carries: the running programme, turning over when it
ends, and the cached logo's file:// URL.

Usage: e2e_desktop.py PROGRAM
Exits 77 (skipped) when a tool is missing.
"""

import functools
import http.server
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

SKIP = 77
MPRIS = ["--dest", "org.mpris.MediaPlayer2.pellamo", "--object-path", "/org/mpris/MediaPlayer2"]


def wait_for(what, check, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if check():
            return
        time.sleep(0.1)
    sys.exit("timed out waiting for " + what)


def gdbus(*args):
    r = subprocess.run(["gdbus", "call", "--session", *args], capture_output=True, text=True, timeout=10)
    return r.stdout.strip() if r.returncode == 0 else "ERROR " + r.stderr.strip()


def has_owner(name):
    return gdbus("--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus", "--method",
                 "org.freedesktop.DBus.NameHasOwner", name) == "(true,)"


def serve(www):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True

    server = Server(("127.0.0.1", 0), functools.partial(Quiet, directory=www))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def xmltv_time(t):
    return time.strftime("%Y%m%d%H%M%S +0000", time.gmtime(t))


def metadata_of_guide_and_logo(program, env, work):
    """Resumes a channel with a guide and a logo; the metadata follows."""
    www = os.path.join(work, "www")
    os.makedirs(www)
    with open(os.path.join(www, "alpha logo.png"), "wb") as f:
        # One red pixel.
        f.write(bytes.fromhex("89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c49444154789c"
                              "63382127070002b6010534a675aa0000000049454e44ae426082"))
    server = serve(www)
    port = server.server_address[1]
    turnover = int(time.time()) + 25
    guide = os.path.join(work, "guide.xml")
    with open(guide, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n<tv><channel id="alpha.test"><display-name>Alpha</display-name>'
                '</channel>\n')
        for start, stop, title in ((turnover - 3600, turnover, "Evening News"),
                                   (turnover, turnover + 3600, "Late Film")):
            f.write('<programme start="%s" stop="%s" channel="alpha.test"><title>%s</title></programme>\n'
                    % (xmltv_time(start), xmltv_time(stop), title))
        f.write("</tv>\n")
    config = os.path.join(work, "config", "pellamo")
    os.makedirs(os.path.join(config, "playlists"), exist_ok=True)
    address = "http://127.0.0.1:9/alpha.ts"
    with open(os.path.join(config, "playlists", "alpha.m3u"), "w") as f:
        f.write('#EXTM3U\n#EXTINF:-1 tvg-id="alpha.test" tvg-logo="http://127.0.0.1:%d/alpha%%20logo.png",Alpha\n%s\n'
                % (port, address))
    with open(os.path.join(config, "pellamo.ini"), "w") as f:
        f.write("[resume]\ntree=mine\nchannel=Alpha\naddress=%s\n" % address)
    get_metadata = [*MPRIS, "--method", "org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2.Player",
                    "Metadata"]
    player = subprocess.Popen([program, "--guide", guide], env=env, cwd=work)
    try:
        wait_for("the player on the bus", lambda: has_owner("org.mpris.MediaPlayer2.pellamo"))
        wait_for("the running programme and the logo in the metadata",
                 lambda: "'xesam:artist': <['Evening News']>" in gdbus(*get_metadata)
                 and "mpris:artUrl" in gdbus(*get_metadata), 20)
        metadata = gdbus(*get_metadata)
        if "'xesam:title': <'Alpha'>" not in metadata or "TrackList/NoTrack" in metadata:
            sys.exit("metadata: " + metadata)
        url = metadata.split("'mpris:artUrl': <'")[1].split("'")[0]
        logo = urllib.parse.unquote(urllib.parse.urlparse(url).path)
        if not url.startswith("file:///") or not os.path.isfile(logo) \
                or not logo.startswith(os.path.join(work, "cache", "pellamo", "logos")):
            sys.exit("the art URL is not the cached logo: " + url)
        wait_for("the next programme once the running one has ended",
                 lambda: "'xesam:artist': <['Late Film']>" in gdbus(*get_metadata),
                 max(5, turnover - time.time() + 10))
        if gdbus(*MPRIS, "--method", "org.mpris.MediaPlayer2.Quit") != "()":
            sys.exit("Quit refused")
        player.wait(20)
        if player.returncode != 0:
            sys.exit("the player ended with %d" % player.returncode)
    finally:
        if player.poll() is None:
            player.kill()
            player.wait()
        server.shutdown()


def inside(program):
    work = tempfile.mkdtemp(prefix="pellamo-e2e-desktop-")
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_CACHE_HOME=os.path.join(work, "cache"),
               # The exit status counts: caches of system libraries are no leaks of ours.
               LSAN_OPTIONS="suppressions=%s:print_suppressions=0"
               % os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lsan.supp"))
    # The pipe stays open (Xvfb treats a failed write as fatal); -noreset:
    # no reset when a short-lived client leaves.
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"], pass_fds=[write], stderr=subprocess.DEVNULL)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 1)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    env["DISPLAY"] = ":" + number.decode().strip()
    first = second = None
    try:
        first = subprocess.Popen([program], env=env, cwd=work)
        wait_for("the first player on the bus",
                 lambda: has_owner("io.github.pellamo.Pellamo") and has_owner("org.mpris.MediaPlayer2.pellamo"))

        # A second start, from another folder, with a relative file name.
        lists = os.path.join(work, "lists")
        os.makedirs(lists)
        with open(os.path.join(lists, "handed.m3u"), "w") as f:
            f.write("#EXTM3U\n#EXTINF:-1,Handed over\nhttp://127.0.0.1:9/live.ts\n")
        r = subprocess.run([program, "handed.m3u"], env=env, cwd=lists, timeout=20)
        if r.returncode != 0:
            sys.exit("the second start ended with %d" % r.returncode)
        stored = os.path.join(work, "config", "pellamo", "playlists", "handed.m3u")
        wait_for("the running player to keep the handed-over playlist", lambda: os.path.exists(stored))
        if first.poll() is not None:
            sys.exit("the first player ended")

        # --new-instance: a second window of its own, which stays.
        second = subprocess.Popen([program, "--new-instance"], env=env, cwd=work)
        time.sleep(3)
        if second.poll() is not None:
            sys.exit("--new-instance ended with %d" % second.returncode)
        second.terminate()
        second.wait(10)

        # The media controls: identity, the next channel of the tree shown, quit.
        identity = gdbus(*MPRIS, "--method", "org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2",
                         "Identity")
        if identity != "(<'Pellamo'>,)":
            sys.exit("Identity: " + identity)
        get_metadata = [*MPRIS, "--method", "org.freedesktop.DBus.Properties.Get", "org.mpris.MediaPlayer2.Player",
                        "Metadata"]
        if "xesam:title" in gdbus(*get_metadata):
            sys.exit("a title before any channel: " + gdbus(*get_metadata))
        for method in ("Next", "PlayPause", "Pause", "Stop", "Previous"):
            answer = gdbus(*MPRIS, "--method", "org.mpris.MediaPlayer2.Player." + method)
            if answer != "()":
                sys.exit(method + ": " + answer)
        wait_for("the channel's name in the metadata", lambda: "xesam:title" in gdbus(*get_metadata))
        bad = gdbus(*MPRIS, "--method", "org.freedesktop.DBus.Properties.Set", "org.mpris.MediaPlayer2.Player",
                    "Volume", "<'loud'>")
        if not bad.startswith("ERROR"):
            sys.exit("a volume of the wrong type was taken: " + bad)
        if gdbus(*MPRIS, "--method", "org.mpris.MediaPlayer2.Quit") != "()":
            sys.exit("Quit refused")
        first.wait(20)
        if first.returncode != 0:
            sys.exit("the player ended with %d" % first.returncode)
        metadata_of_guide_and_logo(program, env, work)
        print("ok")
    finally:
        for p in (first, second):
            if p and p.poll() is None:
                p.kill()
                p.wait()
        xvfb.terminate()
        xvfb.wait()
        os.close(read)
        os.close(write)
        shutil.rmtree(work, ignore_errors=True)


def main():
    program = sys.argv[1]
    if "--inside" in sys.argv:
        inside(program)
        return
    for tool in ("Xvfb", "dbus-run-session", "gdbus"):
        if not shutil.which(tool):
            print("missing " + tool)
            sys.exit(SKIP)
    r = subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), program, "--inside"])
    sys.exit(r.returncode)


if __name__ == "__main__":
    main()

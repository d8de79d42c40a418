#!/usr/bin/env python3
"""The program on the desktop's session bus, end to end: the real player
under Xvfb and a session bus of its own (dbus-run-session). A second start
hands its playlist to the running player and ends; --new-instance starts
another anyway; the media controls (MPRIS, driven with gdbus) switch the
channel, answer for the player and end it.

Usage: e2e_desktop.py PROGRAM
Exits 77 (skipped) when a tool is missing.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

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

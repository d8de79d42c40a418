#!/usr/bin/env python3
"""Start-up speed of the whole program under Xvfb, next to mpv's.

For each run: spawn the program while a small X client (window_watch)
listens to the server, until the program's main window ("Pellamo") is
mapped and shows painted pixels (more than a few distinct colours; an
unpainted window is one flat colour). The same is timed for `mpv --no-config --idle --force-window --vo=x11` (until its window
is mapped), the runs interleaved. Prints the medians and their ratio (goal:
at most 0.5), and for the idle program (the window up, no channel chosen):
its resident memory two seconds after the first paint (goal: under 30 MiB)
and how often its threads wake up once the load window's tick has done its
work (goal: at most once a minute: nothing runs while nothing happens).

Usage: startup_bench.py WINDOW_WATCH PROGRAM [RUNS]
"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import time


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


def start_xvfb():
    read_fd, write_fd = os.pipe()
    # -noreset: the server would otherwise reset whenever its last client
    # (the watcher) leaves, and refuse a program connecting meanwhile.
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"],
                            pass_fds=[write_fd], stderr=subprocess.DEVNULL)
    os.close(write_fd)
    return proc, ":" + read_display(read_fd)


def time_to_window(watcher, argv, env, name, painted, timeout=20.0):
    """Seconds from spawn to the window (mapped, and painted if asked). The
    watcher listens to the X server before the program starts and reports
    the moment on the same monotonic clock."""
    watch = subprocess.Popen([watcher, name, "painted" if painted else "mapped", str(timeout)], env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if watch.stdout.readline().strip() != "ready":
        watch.wait()
        print("startup: the window watcher failed: %s" % watch.stderr.read().strip())
        return None, None
    start = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    line = watch.stdout.readline().strip()
    watch.wait()
    elapsed = float(line) - start if line else None
    if elapsed is None:
        if proc.poll() is not None:
            print("startup: %s ended early (%d): %s" % (argv[0], proc.returncode,
                                                       proc.stderr.read().decode(errors="replace").strip()[:300]))
        else:
            print("startup: %s" % watch.stderr.read().strip())
    return proc, elapsed


def rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def pss_mib(pid):
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return 0.0


def wakeups(pid):
    """Times the process's threads have gone to sleep of their own accord,
    that is, waits that ended: each wake-up of a thread that then waits
    again adds one."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/status" % (pid, task)) as f:
            for line in f:
                if line.startswith("voluntary_ctxt_switches:"):
                    total += int(line.split()[1])
    return total


def stop(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    watcher = os.path.abspath(sys.argv[1])
    program = os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 12
    for tool in ("Xvfb", "mpv"):
        if not shutil.which(tool):
            print("startup: %s is missing; nothing measured" % tool)
            return 0
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display)
    ours, theirs, rss, pss, wakes = [], [], [], [], []
    idle_seconds = 6.0
    try:
        # A run that fails (a busy machine, a server hiccup) is run again, so
        # that each median has its number of runs.
        attempts = 0
        while (len(ours) < runs or len(theirs) < runs) and attempts < 2 * runs:
            attempts += 1
            proc, t = time_to_window(watcher, [program], env, "Pellamo", painted=True)
            if t is not None:
                ours.append(t)
                time.sleep(2.0)  # idle: the window is up, nothing plays
                rss.append(rss_mib(proc.pid))
                pss.append(pss_mib(proc.pid))
                before = wakeups(proc.pid)
                time.sleep(idle_seconds)
                wakes.append((wakeups(proc.pid) - before) * 60.0 / idle_seconds)
            if proc:
                stop(proc)
            # mpv without the user's configuration, drawing its window with
            # X11 as we do (its default output probes OpenGL first).
            proc, t = time_to_window(watcher, ["mpv", "--no-config", "--idle", "--force-window", "--vo=x11",
                                      "--title=mpvbench"], env, "mpvbench", painted=False)
            if t is not None:
                theirs.append(t)
            if proc:
                stop(proc)
    finally:
        xvfb.terminate()
        xvfb.wait()
    if not ours:
        print("startup: the program showed no painted main window")
        return 1
    ours_ms = statistics.median(ours) * 1000
    print("startup: first painted main window      %7.1f ms (median of %d)" % (ours_ms, len(ours)))
    if theirs:
        mpv_ms = statistics.median(theirs) * 1000
        print("startup: mpv --idle --force-window --vo=x11 %5.1f ms (median of %d)" % (mpv_ms, len(theirs)))
        print("startup: ratio                          %7.2f (goal: at most 0.50)" % (ours_ms / mpv_ms))
    print("startup: idle resident memory           %7.1f MiB (goal: under 30 MiB; proportional %.1f MiB)"
          % (statistics.median(rss), statistics.median(pss)))
    print("startup: idle wake-ups                  %7.1f a minute (goal: at most 1)"
          % statistics.median(wakes))
    return 0


if __name__ == "__main__":
    sys.exit(main())

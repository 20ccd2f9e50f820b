#!/usr/bin/python3
"""Start-up time and memory of tarnwick beside its peers, on a private Xvfb server.

For each run: the time from starting the process until its window is mapped (seen as a MapNotify event
on the root window, so no polling delay), and its resident memory once shown (VmRSS, read when it has
stopped changing). The programs take turns; after one discarded warm-up run each, the medians of RUNS
runs are compared as the first program's ratio to each of the others.

usage: bench/startup.py [--wine PREFIX] RUNS NAME=PROGRAM...
  With --wine, the programs are Windows programs, run under wine in that prefix (made if missing),
  whose wine server is started before the first run and kept running, as on a desktop where wine runs.
"""
import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display as xdisplay

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from desktop import Display  # noqa: E402


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def one_run(x, env, launcher, program):
    start = time.perf_counter()
    proc = subprocess.Popen([*launcher, program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = start + 30
        while True:
            if x.pending_events() == 0 and time.perf_counter() > deadline:
                raise RuntimeError(f"{program}: no window mapped")
            event = x.next_event()
            if event.type == X.MapNotify:
                mapped = time.perf_counter() - start
                break
        # Memory once shown: wait for the painting after the map to settle.
        previous, steady_since = rss_kib(proc.pid), time.perf_counter()
        while time.perf_counter() - steady_since < 0.3:
            time.sleep(0.05)
            now = rss_kib(proc.pid)
            if now != previous:
                previous, steady_since = now, time.perf_counter()
        return mapped, previous
    finally:
        proc.kill()
        proc.wait()


def main(args):
    launcher = []
    if args[0] == "--wine":
        launcher = [os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "windows", "wine.sh"),
                    args[1]]
        args = args[2:]
    runs = int(args[0])
    programs = dict(arg.split("=", 1) for arg in args[1:])
    server = Display("1024x768x24")
    try:
        env = dict(server.env)
        env.pop("QT_QPA_PLATFORM", None)
        # No session bus, and none autolaunched for this display either: the same for all three.
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/bus"
        # The fonts of a fresh Debian 12 with tarnwick's packages, whatever else this machine has.
        env["FONTCONFIG_FILE"] = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fonts.conf")
        if launcher:
            if not os.path.isdir(launcher[1]):
                subprocess.run([*launcher, "--set-up", "win32", "win10"], env=env, check=True, capture_output=True)
            # The wine server and the desktop's own programs, up before the first run and staying.
            waiting = server.popen([*launcher, "cmd", "/c", "pause"], env=env, stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        x = xdisplay.Display(server.name)
        x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        x.sync()
        results = {name: [] for name in programs}
        for i in range(runs + 1):
            for name, program in programs.items():
                sample = one_run(x, env, launcher, program)
                if i > 0:
                    results[name].append(sample)
        x.close()
        if launcher:
            waiting.stdin.close()
            subprocess.run([*launcher, "--stop"], env=env, capture_output=True)
    finally:
        server.close()

    medians = {name: (statistics.median(s[0] for s in samples) * 1000, statistics.median(s[1] for s in samples))
               for name, samples in results.items()}
    print(f"start-up, {runs} runs each, taking turns, medians")
    print(f"{'program':<12} {'time to map (ms)':>17} {'RSS once shown (KiB)':>21}")
    for name, (ms, kib) in medians.items():
        print(f"{name:<12} {ms:>17.1f} {kib:>21.0f}")
    first, *peers = medians
    for peer in peers:
        ours, theirs = medians[first], medians[peer]
        print(f"{first} / {peer}: time {ours[0] / theirs[0]:.2f}x, memory {ours[1] / theirs[1]:.2f}x")


if __name__ == "__main__":
    main(sys.argv[1:])

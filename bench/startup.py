#!/usr/bin/python3
"""Start-up time and memory of tarnwick beside two peers, on a private Xvfb server.

The peers: the same seven controls written the plain Qt way (PLAIN), and one window of the same size
with one label (FLOOR), the least a Qt program that shows Chinese costs. For each run: the time from
starting the process until its window is mapped (seen as a MapNotify event on the root window, so no
polling delay), and its resident memory once shown (VmRSS, read when it has stopped changing). The
three programs take turns; after one discarded warm-up run each, the medians of RUNS runs are
compared as tarnwick's ratio to each peer.

usage: bench/startup.py TARNWICK PLAIN FLOOR [RUNS]
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


def one_run(x, env, program):
    start = time.perf_counter()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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


def main():
    programs = {"tarnwick": sys.argv[1], "plain Qt": sys.argv[2], "one label": sys.argv[3]}
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 15
    server = Display("1024x768x24")
    try:
        env = dict(server.env)
        env.pop("QT_QPA_PLATFORM", None)
        # No session bus, and none autolaunched for this display either: the same for all three.
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/bus"
        # The fonts of a fresh Debian 12 with tarnwick's packages, whatever else this machine has.
        env["FONTCONFIG_FILE"] = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fonts.conf")
        x = xdisplay.Display(server.name)
        x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        x.sync()
        results = {name: [] for name in programs}
        for i in range(runs + 1):
            for name, program in programs.items():
                sample = one_run(x, env, program)
                if i > 0:
                    results[name].append(sample)
        x.close()
    finally:
        server.close()

    medians = {name: (statistics.median(s[0] for s in samples) * 1000, statistics.median(s[1] for s in samples))
               for name, samples in results.items()}
    print(f"start-up, {runs} runs each, taking turns, medians")
    print(f"{'program':<10} {'time to map (ms)':>17} {'RSS once shown (KiB)':>21}")
    for name, (ms, kib) in medians.items():
        print(f"{name:<10} {ms:>17.1f} {kib:>21.0f}")
    ours = medians["tarnwick"]
    for peer in ("plain Qt", "one label"):
        theirs = medians[peer]
        print(f"tarnwick / {peer}: time {ours[0] / theirs[0]:.2f}x, memory {ours[1] / theirs[1]:.2f}x")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Start-up time and memory of tarnwick beside a baseline Qt window, on a private Xvfb server.

For each run: the time from starting the process until its window is mapped (seen as a MapNotify
event on the root window, so no polling delay), and its resident memory once shown (VmRSS, read when
it has stopped changing). The two programs alternate; after one discarded warm-up run each, the
medians of RUNS runs are compared.

usage: bench/startup.py TARNWICK BASELINE [RUNS]
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
    tarnwick, baseline = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    server = Display("1024x768x24")
    try:
        env = dict(server.env)
        env.pop("QT_QPA_PLATFORM", None)
        x = xdisplay.Display(server.name)
        x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        x.sync()
        results = {tarnwick: [], baseline: []}
        for i in range(runs + 1):
            for program in (tarnwick, baseline):
                sample = one_run(x, env, program)
                if i > 0:
                    results[program].append(sample)
        x.close()
    finally:
        server.close()

    def medians(samples):
        return statistics.median(s[0] for s in samples) * 1000, statistics.median(s[1] for s in samples)

    t_ms, t_kib = medians(results[tarnwick])
    b_ms, b_kib = medians(results[baseline])
    print(f"runs: {runs} each, alternating, medians")
    print(f"{'program':<10} {'time to map (ms)':>17} {'RSS once shown (KiB)':>21}")
    print(f"{'tarnwick':<10} {t_ms:>17.1f} {t_kib:>21.0f}")
    print(f"{'baseline':<10} {b_ms:>17.1f} {b_kib:>21.0f}")
    print(f"ratio: time {t_ms / b_ms:.2f}x, memory {t_kib / b_kib:.2f}x")


if __name__ == "__main__":
    main()

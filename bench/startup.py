#!/usr/bin/python3
"""Start-up of tarnwick beside its peers, up to what the user sees, on a private Xvfb server.

For each run, from starting the process: the time until its window is mapped (the MapNotify event on
the root window), the time until its first frame is on the screen (the first damage after that map, as
the X DAMAGE extension reports it: the first picture the program puts in its window), and its resident
memory once shown (VmRSS, read when it has stopped changing). The programs take turns; after one
discarded warm-up run each, the medians of RUNS runs. Then, for Qt programs, the instructions to the
same two points, counted by callgrind in one run of each: dumped before the window is mapped
(xcb_map_window) and after the first frame is handed to the X server (the first QBackingStore::flush).
Unlike time, that count does not move with the machine's load. Each figure is given as the first
program's ratio to each of the others.

usage: bench/startup.py [--wine PREFIX] RUNS NAME=PROGRAM...
  With --wine, the programs are Windows programs, run under wine in that prefix (made if missing, 32- or
  64-bit as the programs are), whose wine server is started before the first run and kept running, as on
  a desktop where wine runs. No instructions are counted for them.
"""
import glob
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay
from Xlib.ext import damage

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from desktop import Display  # noqa: E402

LIMIT = 30  # seconds a program may take to show its window, even under callgrind


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


class Screen:
    """The Xvfb server's events: windows mapped, and damage anywhere on the screen."""

    def __init__(self, name):
        self.x = xdisplay.Display(name)
        if not self.x.has_extension(damage.extname):
            raise RuntimeError("the X server has no DAMAGE extension")
        self.x.damage_query_version()
        self.damage_event = self.x.query_extension(damage.extname).first_event + damage.DamageNotifyCode
        root = self.x.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        # On the root window, drawing in any window on it is reported, every rectangle of it: so no
        # window has to be known, and no drawing missed, before it is mapped.
        root.damage_create(damage.DamageReportRawRectangles)
        self.x.sync()

    def drain(self):
        while self.x.pending_events():
            self.x.next_event()

    def wait(self, proc, program):
        """The moments (perf_counter) when a window is mapped and when its first frame is drawn."""
        deadline = time.perf_counter() + LIMIT
        mapped = None
        while True:
            while not self.x.pending_events():
                if time.perf_counter() > deadline or proc.poll() is not None:
                    raise RuntimeError(f"{program}: {'no frame shown' if mapped else 'no window mapped'}")
                select.select([self.x], [], [], 0.05)  # woken by the next event, without polling delay
            event = self.x.next_event()
            if event.type == X.MapNotify and mapped is None:
                mapped = time.perf_counter()
            elif event.type == self.damage_event and mapped is not None:
                return mapped, time.perf_counter()


def one_run(screen, env, launcher, program):
    screen.drain()
    start = time.perf_counter()
    proc = subprocess.Popen([*launcher, program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        mapped, shown = screen.wait(proc, program)
        # Memory once shown: wait for the painting after the map to settle.
        previous, steady_since = rss_kib(proc.pid), time.perf_counter()
        while time.perf_counter() - steady_since < 0.3:
            time.sleep(0.05)
            now = rss_kib(proc.pid)
            if now != previous:
                previous, steady_since = now, time.perf_counter()
        return (mapped - start) * 1000, (shown - start) * 1000, previous
    finally:
        proc.kill()
        proc.wait()


def instructions(env, program, work):
    """Millions of instructions until the window is mapped, and until its first frame is handed over."""
    out = os.path.join(work, os.path.basename(program))
    proc = subprocess.Popen(
        ["valgrind", "--tool=callgrind", "--dump-before=xcb_map_window", "--dump-after=QBackingStore::flush*",
         f"--callgrind-out-file={out}.%p", program],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def total(part):
        # Written when the dump is complete: its totals line comes last.
        for name in glob.glob(f"{out}.{proc.pid}.{part}"):
            with open(name) as dump:
                for line in dump:
                    if line.startswith("totals:"):
                        return int(line.split()[1])
        return None

    try:
        deadline = time.perf_counter() + LIMIT * 4
        while total(2) is None:
            if time.perf_counter() > deadline or proc.poll() is not None:
                raise RuntimeError(f"{program}: under callgrind, no QBackingStore::flush after xcb_map_window")
            time.sleep(0.1)
    finally:
        proc.kill()
        proc.wait()
    to_map = total(1)
    return to_map / 1e6, (to_map + total(2)) / 1e6


def wine_arch(program):
    """win64 for a 64-bit Windows program, else win32: the kind of prefix it runs in."""
    with open(program, "rb") as exe:
        header = exe.read(4096)
    pe = int.from_bytes(header[0x3C:0x40], "little")
    return "win64" if header[pe + 4:pe + 6] == b"\x64\x86" else "win32"


def main(args):
    launcher = []
    if args[0] == "--wine":
        launcher = [os.path.join(HERE, "..", "tests", "windows", "wine.sh"), args[1]]
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
        env["FONTCONFIG_FILE"] = os.path.join(HERE, "fonts.conf")
        if launcher:
            if not os.path.isdir(launcher[1]):
                arch = wine_arch(next(iter(programs.values())))
                subprocess.run([*launcher, "--set-up", arch, "win10"], env=env, check=True, capture_output=True)
            # The wine server and the desktop's own programs, up before the first run and staying.
            waiting = server.popen([*launcher, "cmd", "/c", "pause"], env=env, stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        screen = Screen(server.name)
        results = {name: [] for name in programs}
        for i in range(runs + 1):
            for name, program in programs.items():
                sample = one_run(screen, env, launcher, program)
                if i > 0:
                    results[name].append(sample)
        counts = {}
        if not launcher and shutil.which("valgrind"):
            with tempfile.TemporaryDirectory(prefix="tarnwick-callgrind-") as work:
                counts = {name: instructions(env, program, work) for name, program in programs.items()}
        screen.x.close()
        if launcher:
            waiting.stdin.close()
            subprocess.run([*launcher, "--stop"], env=env, capture_output=True)
    finally:
        server.close()

    figures = {name: tuple(statistics.median(s[k] for s in samples) for k in range(3)) + counts.get(name, ())
               for name, samples in results.items()}
    # What each figure is, and its heading.
    columns = [("time to map", "map (ms)", 1), ("time to the first frame on screen", "first frame (ms)", 1),
               ("resident memory once shown", "RSS (KiB)", 0),
               ("instructions to the map", "instr. to map (M)", 1),
               ("instructions to the first frame", "instr. to frame (M)", 1)]
    columns = columns[:len(next(iter(figures.values())))]
    print(f"start-up, {runs} runs each, taking turns, medians"
          + ("; instructions counted by callgrind in one run each" if counts else ""))
    width = max(len(name) for name in [*figures, "program"])
    print(f"{'program':<{width}}" + "".join(f" {heading:>19}" for _, heading, _ in columns))
    for name, values in figures.items():
        print(f"{name:<{width}}" + "".join(f" {v:>19.{digits}f}" for v, (_, _, digits) in zip(values, columns)))
    first, *peers = figures
    for peer in peers:
        ours, theirs = figures[first], figures[peer]
        # Instruction counts hold to 0.2 % from run to run, so their ratios get a third decimal.
        print(f"{first} / {peer}: "
              + ", ".join(f"{what} {a / b:.{3 if what.startswith('instructions') else 2}f}x"
                          for a, b, (what, _, _) in zip(ours, theirs, columns)))


if __name__ == "__main__":
    main(sys.argv[1:])

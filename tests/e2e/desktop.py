"""A private desktop (X server, session bus, AT-SPI) with tarnwick running on it, and the means to drive and read it.

Keys and clicks are real X input (xdotool, through XTEST); what the window shows is read over AT-SPI, as
a screen reader reads it; the clipboard is read with xclip. Every wait polls a condition with a time
limit, so a slow machine only makes the tests slower, never flaky.

Each Display is a desktop of its own, shared with nothing else on the machine: its X server, a session
bus and a runtime folder (where the AT-SPI bus puts its socket). Everything started on it runs in one
process group, and close() ends that group whole, so nothing outlives a test into the next one.
"""
import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

LIMIT = 20.0  # seconds any single condition may take
HERE = os.path.dirname(os.path.abspath(__file__))

# Programs whose message boxes end any wait at once unless the test expects one (see Tarnwick.check).
_watched = []


def wait_for(condition, what, limit=LIMIT):
    deadline = time.monotonic() + limit
    while True:
        for app in list(_watched):
            app.check()
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.02)


def _live_processes():
    """(pid, process group) of every process on the machine that has not ended; a zombie has."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as stat:
                state, _, group = stat.read().rsplit(")", 1)[1].split()[:3]
        except OSError:  # ended meanwhile
            continue
        if state != "Z":
            yield int(entry), int(group)


def processes_with_env(entry):
    """The live processes whose environment holds entry ("NAME=value"), whatever group they are in."""
    found = []
    for pid, _ in _live_processes():
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ:
                if entry.encode() in environ.read().split(b"\0"):
                    found.append(pid)
        except OSError:
            continue
    return found


class Display:
    """An Xvfb server on a free display number with a session bus of its own, for the lifetime of the object."""

    def __init__(self, size="1280x1024x24"):
        self.runtime = tempfile.mkdtemp(prefix="tarnwick-desktop-")  # mode 0700, as XDG_RUNTIME_DIR must be
        # Every process of the desktop carries its runtime folder, even one that leaves its group.
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        for inherited in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "DBUS_SESSION_BUS_PID", "AT_SPI_BUS_ADDRESS",
                          "WAYLAND_DISPLAY", "XAUTHORITY"):
            self.env.pop(inherited, None)
        read_fd, write_fd = os.pipe()
        # -noreset: by default the server resets whenever its last client leaves, and a client that
        # connects meanwhile is dropped: a program starting while xdotool looks for its window.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_fd], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            process_group=0)
        self.group = self.server.pid
        self._children = [self.server]
        self._closed = False
        os.close(write_fd)
        try:
            with os.fdopen(read_fd) as pipe:
                number = pipe.readline().strip()  # written once the server accepts clients
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.number = int(number)
            self.name = f":{number}"
            self.env["DISPLAY"] = self.name
            self.env["DBUS_SESSION_BUS_ADDRESS"] = self._start_bus()
        except BaseException:
            self.close()
            raise

    def _start_bus(self):
        # With no bus of its own a program would have libdbus autolaunch one for the display number,
        # recorded under the home folder where the next desktop of that number finds it. The AT-SPI bus
        # starts on this bus, with this environment, so its socket lands in the private runtime folder.
        bus = self.popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                          f"--address=unix:path={self.runtime}/bus"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        with bus.stdout:
            address = bus.stdout.readline().strip()
        if not address:
            raise RuntimeError("dbus-daemon did not start")
        return address

    def popen(self, args, **options):
        """Starts a program on this desktop, in its process group: close() ends it with the rest."""
        options.setdefault("env", self.env)
        process = subprocess.Popen(args, process_group=self.group, **options)
        self._children.append(process)
        return process

    def run(self, *args, check=True):
        # A display-like object of a test's own (a nested session) may have no group: then the caller's.
        result = subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                                timeout=LIMIT, process_group=getattr(self, "group", None))
        return result.stdout

    def _members(self):
        return [pid for pid, group in _live_processes() if group == self.group]

    def close(self):
        """Ends every process of the desktop, whoever started it, and removes its files."""
        if self._closed:
            return  # the group's number may belong to another group by now
        self._closed = True
        marker = f"XDG_RUNTIME_DIR={self.runtime}"
        # TERM first, so the server removes its socket and lock; the group leader is not reaped until
        # the end, so the group's number cannot pass to another group meanwhile.
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.group, sig)
            except ProcessLookupError:
                break
            deadline = time.monotonic() + LIMIT / 4
            while self._members() and time.monotonic() < deadline:
                time.sleep(0.01)
            if not self._members():
                break
        # A process that left the group (a daemon of its own session) still carries the runtime folder.
        deadline = time.monotonic() + LIMIT / 4
        while (strays := processes_with_env(marker)) and time.monotonic() < deadline:
            for pid in strays:
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            time.sleep(0.01)
        for process in self._children:
            process.wait(timeout=LIMIT)
            for pipe in (process.stdin, process.stdout, process.stderr):
                if pipe:
                    pipe.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Node:
    """One accessible object of a program, as a screen reader saw it at one moment."""

    def __init__(self, data, parent=None):
        self.role, self.name, self.text = data["role"], data["name"], data["text"]
        self.states, self.id, self.parent = set(data["states"]), data["id"], parent
        self._relations = data["relations"]
        self.children = [Node(child, self) for child in data["children"]]

    def descendants(self):
        for child in self.children:
            yield child
            yield from child.descendants()

    def root(self):
        return self.parent.root() if self.parent else self

    def related(self, relation):
        """The objects this one names in a relation ("label for", "labelled by", ...)."""
        ids = self._relations.get(relation, [])
        return [n for n in self.root().descendants() if n.id in ids]

    def __repr__(self):
        return f"<{self.role} {self.name!r}>"


class Screen:
    """A program's window as AT-SPI presents it, read by a helper on the program's own desktop.

    The helper process (atspi_snapshot.py) holds the connection to that desktop's accessibility bus;
    this process reads nothing over AT-SPI itself, so any number of desktops can be read one after
    another or side by side.
    """

    def __init__(self, app):
        self.app = app
        app.screen = self  # it goes when the program is killed
        self.reader = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "atspi_snapshot.py")],
                                       env=app.display.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       text=True, process_group=getattr(app.display, "group", None))
        wait_for(self.snapshot, "tarnwick on the accessibility bus")

    def close(self):
        self.reader.stdin.close()  # the reader ends at the end of its input
        self.reader.wait(timeout=LIMIT)
        self.reader.stdout.close()

    def snapshot(self):
        """The program's accessible objects now, or None while it is not on the bus."""
        self.reader.stdin.write(f"{self.app.process.pid}\n")
        self.reader.stdin.flush()
        ready, _, _ = select.select([self.reader.stdout], [], [], LIMIT)
        line = self.reader.stdout.readline() if ready else ""
        if not line:
            raise AssertionError("the AT-SPI reader did not answer")
        data = json.loads(line)
        return Node(data) if data else None

    def named(self, name):
        return wait_for(lambda: next((n for n in self.snapshot().descendants() if n.name == name), None),
                        f"the control named {name}")

    def text(self, name):
        return self.named(name).text

    def alert(self):
        """The open message box, or None."""
        return next((top for top in self.snapshot().children
                     if top.role == "alert" and "showing" in top.states), None)

    @staticmethod
    def alert_texts(alert):
        return [n.name for n in alert.descendants() if n.role == "label" and n.name]


class Tarnwick:
    """The real executable on a display, with its window found."""

    TITLE = "DEBUG代码查询系统"

    def __init__(self, display, executable, accessible=False, env=None, args=()):
        self.display = display
        extra, env = env or {}, dict(display.env)
        env.pop("QT_QPA_PLATFORM", None)
        if accessible:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env.update(extra)  # the caller's own, e.g. a colour scheme
        self.log = tempfile.TemporaryFile("w+", prefix="tarnwick-log-")
        self.process = subprocess.Popen([executable, *args], env=env, stdout=self.log, stderr=self.log,
                                        text=True, process_group=getattr(display, "group", None))
        self.screen = None  # a Screen reading this program sets itself here
        self.box_expected = False
        try:
            self.window = int(wait_for(self._find_window, "the main window to be mapped"))
        except BaseException:
            self.kill()  # no one else holds the process yet
            raise
        _watched.append(self)

    def _find_window(self):
        if self.exited():
            self.log.seek(0)
            raise AssertionError(f"tarnwick ended (status {self.process.returncode}) before its window was "
                                 f"mapped:\n{self.log.read()}")
        out = self.display.run("xdotool", "search", "--onlyvisible", "--name", self.TITLE, check=False)
        return out.split()[0] if out.split() else None

    def windows(self):
        out = self.display.run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                               check=False)
        return [int(w) for w in out.split()]

    def check(self):
        """Fails at once if a window of the program other than its main window is open unexpectedly.

        A message box nobody expects would otherwise take the keys meant for the window and leave the
        test waiting until its time runs out.
        """
        if self.box_expected or self.exited():
            return
        others = [w for w in self.windows() if w != self.window]
        if not others:
            return
        titles = [self.display.run("xdotool", "getwindowname", str(w), check=False).strip() for w in others]
        texts = []
        if self.screen:
            alert = self.screen.alert()
            texts = self.screen.alert_texts(alert) if alert else []
        self.box_expected = True  # reported once; the cleanup may wait on the program too
        raise AssertionError(f"unexpected window {titles} open, saying {texts}")

    def focus(self):
        # No window manager: give the window the input focus directly.
        self.display.run("xdotool", "windowfocus", "--sync", str(self.window))

    def keys(self, *names):
        self.display.run("xdotool", "key", "--clearmodifiers", *names)

    def type(self, text):
        self.display.run("xdotool", "type", "--clearmodifiers", "--delay", "20", text)

    def click(self, x, y):
        """A left click at a point of the window's client area (pixels)."""
        self.display.run("xdotool", "mousemove", "--window", str(self.window), str(x), str(y),
                         "click", "1")

    def exited(self):
        return self.process.poll() is not None

    def kill(self):
        if self in _watched:
            _watched.remove(self)
        if self.screen:
            self.screen.close()
            self.screen = None
        if not self.exited():
            self.process.send_signal(signal.SIGKILL)
        self.process.wait(timeout=LIMIT)
        self.log.close()

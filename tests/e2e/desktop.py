"""Private desktops with tarnwick running on them, and the means to drive and read it: the one harness of
every test of the real program, on Linux and under wine.

A Display is a desktop of its own, shared with nothing else on the machine: an X server, a session bus
and a runtime folder (where the AT-SPI bus puts its socket). Everything started on it runs in one
process group; close() ends that group whole, and then any process that left the group but still
carries the runtime folder, so nothing outlives a test into the next one. A Wayland session (weston
with XWayland) runs inside a Display, in its group.

Keys and clicks are real X input (xdotool, through XTEST); what the window shows is read over AT-SPI,
as a screen reader reads it, or as pixels; the clipboard is read with xclip. Every wait polls a
condition with a time limit, so a slow machine only makes the tests slower, never flaky.

As a program: `desktop.py run COMMAND...` runs COMMAND on a desktop of its own and exits as it does;
`desktop.py screenshot [--wine PREFIX] TARNWICK GRABWINDOW OUT.png` saves a picture of the window (with
--wine, of the Windows program under wine in that prefix, made if missing).
"""
import enum
import errno
import functools
import json
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

from Xlib import X, display as xdisplay, ext as xext, protocol

# python-xlib fails to connect to XWayland while it reads its RANDR extension (event codes clash); no
# test needs RANDR.
xext.__extensions__ = [e for e in xext.__extensions__ if e[0] != "RANDR"]

LIMIT = 20.0  # seconds any single condition may take
HERE = os.path.dirname(os.path.abspath(__file__))
TITLE = "DEBUG代码查询系统"

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


def program_texts(probe, launcher=(), env=None):
    """Every row and fixed text as the program holds them, read from tests/tools/slotprobe."""
    out = subprocess.run([*launcher, probe], env=env, check=True, capture_output=True, timeout=120).stdout
    return json.loads(out.decode("utf-8"))


def kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


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


def processes_with_env(entry, running=""):
    """The live processes whose environment holds entry ("NAME=value"), whatever group they are in; only
    those whose command line names running, where given (a wine process's names its Windows program)."""
    found = []
    for pid, _ in _live_processes():
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ, open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                if (entry.encode() in environ.read().split(b"\0")
                        and running.lower() in cmdline.read().decode(errors="replace").lower()):
                    found.append(pid)
        except OSError:
            continue
    return found


class Desktop:
    """Where programs are started: an X display's name, the environment they get, the process group."""

    def __init__(self, name, env, group, children, compositor=False):
        self.name, self.env, self.group, self._children = name, env, group, children
        self.compositor = compositor  # whether a Wayland compositor decides which X window has the keyboard

    def popen(self, args, **options):
        """Starts a program on this desktop, in its process group: the display's close() ends it."""
        options.setdefault("env", self.env)
        process = subprocess.Popen(args, process_group=self.group, **options)
        self._children.append(process)
        return process

    def ended(self):
        """Whether every process of the desktop, its X server among them, has ended: nothing runs in it any
        more (its process group is gone)."""
        try:
            os.killpg(self.group, 0)
        except ProcessLookupError:
            return True
        return False

    def run(self, *args, check=True):
        result = subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                                timeout=LIMIT, process_group=self.group)
        return result.stdout

    def shown(self, show, tries=3):
        """What show() opens, once the compositor has put its window on screen and made it active.

        show() returns (what it opened, its X window, how to close it). Weston 14 with XWayland 24 now and
        then (one window in a hundred) never shows a mapped and drawn X window, nor brings it back later:
        the user opens it again, and so does this, a few times at most.
        """
        for _ in range(tries):
            opened, window, close = show()
            if wait_quietly(lambda: active_window(self.name) == window, LIMIT / 2):
                return opened
            close()
        raise AssertionError(f"the compositor showed none of {tries} windows opened one after another")

    def settle_synthetic_keys(self):
        """Returns once the X server hands synthetic (XTEST) keys on, before any program of a test runs.

        XWayland 24.1.14 drops the first synthetic key of its session, even one for the active window:
        "ff" typed into the program would reach it as "f". Shift is pressed here for a window of this
        harness's own, once the compositor has made it active (and so given it the keyboard), again until
        one press arrives, so that loss falls where no program sees it. The keys a test types into the
        program are typed once and never again: a program that loses one of them still fails its test.
        """
        x = xdisplay.Display(self.name)
        try:
            screen = x.screen()

            def painted():  # so that the compositor shows it and makes it active
                window = screen.root.create_window(0, 0, 16, 16, 0, screen.root_depth,
                                                   background_pixel=screen.white_pixel, event_mask=X.KeyPressMask)
                window.map()
                x.sync()
                return window, window.id, window.destroy
            window = self.shown(painted)
            pressed, seen = [0.0], set()

            def arrived():
                while x.pending_events():
                    seen.add(x.next_event().type)
                if X.KeyPress in seen:
                    return True
                if time.monotonic() - pressed[0] > 0.5:  # the last press was lost, or none was made
                    self.run("xdotool", "key", "shift")
                    pressed[0] = time.monotonic()
                return False
            wait_for(arrived, "a synthetic key to reach a window of the X server")
            window.destroy()
            x.sync()
        finally:
            x.close()


class Display(Desktop):
    """An Xvfb server on a free display number with a session bus of its own, until close()."""

    def __init__(self, size="1024x768x24"):
        self.runtime = tempfile.mkdtemp(prefix="tarnwick-desktop-")  # mode 0700, as XDG_RUNTIME_DIR must be
        # Every process of the desktop carries its runtime folder, even one that leaves its group.
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        for inherited in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "DBUS_SESSION_BUS_PID", "AT_SPI_BUS_ADDRESS",
                          "WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM"):
            env.pop(inherited, None)
        read_fd, write_fd = os.pipe()
        # -noreset: by default the server resets whenever its last client leaves, and a client that
        # connects meanwhile is dropped: a program starting while xdotool looks for its window.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_fd], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            process_group=0)
        super().__init__(None, env, self.server.pid, [self.server])
        self._closed = False
        os.close(write_fd)
        try:
            with os.fdopen(read_fd) as pipe:
                number = pipe.readline().strip()  # written once the server accepts clients
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.number = int(number)
            self.name = env["DISPLAY"] = f":{number}"
            env["DBUS_SESSION_BUS_ADDRESS"] = self._start_bus()
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

    def wayland(self):
        """A Wayland session in a window of this display: weston with its XWayland, in this group.

        Programs started on the returned desktop get what a Wayland session gives them: XWayland's
        DISPLAY, WAYLAND_DISPLAY and XDG_SESSION_TYPE=wayland.
        """
        log = os.path.join(self.runtime, "weston.log")
        weston = self.popen(["weston", "--backend=x11-backend.so", "--use-pixman", "--xwayland",
                             "--socket=wayland-tarnwick", "--width=1024", "--height=768", f"--log={log}"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def xwayland():
            if weston.poll() is not None:
                raise AssertionError("weston did not start")
            if not os.path.exists(log):
                return None
            with open(log, encoding="utf-8", errors="replace") as text:
                found = re.search(r"xserver listening on display (:\d+)", text.read())
            return found and found.group(1)
        name = wait_for(xwayland, "weston's XWayland display")
        env = dict(self.env, DISPLAY=name, WAYLAND_DISPLAY="wayland-tarnwick", XDG_SESSION_TYPE="wayland")
        session = Desktop(name, env, self.group, self._children, compositor=True)
        session.settle_synthetic_keys()
        return session

    def _members(self):
        return [pid for pid, group in _live_processes() if group == self.group]

    def close(self):
        """Ends every process of the desktop, whoever started it, and removes its files."""
        if self._closed:
            return  # the group's number may belong to another group by now
        self._closed = True
        # TERM first, so the server removes its socket and lock; the group leader is not reaped until
        # the end, so the group's number cannot pass to another group meanwhile.
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.group, sig)
            except ProcessLookupError:
                break
            if wait_quietly(lambda: not self._members(), LIMIT / 4):
                break
        # A process that left the group (a daemon of its own session) still carries the runtime folder.
        marker = f"XDG_RUNTIME_DIR={self.runtime}"

        def no_strays():
            strays = processes_with_env(marker)
            for pid in strays:
                kill(pid)
            return not strays
        wait_quietly(no_strays, LIMIT / 4)
        for process in self._children:
            process.wait(timeout=LIMIT)
            for pipe in (process.stdin, process.stdout, process.stderr):
                if pipe:
                    pipe.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


def wait_quietly(condition, limit):
    """Whether the condition came true within the limit; for cleaning up, where nothing may fail."""
    deadline = time.monotonic() + limit
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.01)
    return True


def x_window(display_name, window):
    x = xdisplay.Display(display_name)
    return x, x.create_resource_object("window", window)


def active_window(display_name):
    """The window the window manager has made active (_NET_ACTIVE_WINDOW), if any."""
    x = xdisplay.Display(display_name)
    try:
        active = x.screen().root.get_full_property(x.intern_atom("_NET_ACTIVE_WINDOW"), X.AnyPropertyType)
        return active.value[0] if active and len(active.value) else None
    finally:
        x.close()


def send_close_box(display_name, window):
    """What a window manager sends when the user clicks the close box."""
    x, win = x_window(display_name, window)
    try:
        event = protocol.event.ClientMessage(
            window=win, client_type=x.intern_atom("WM_PROTOCOLS"),
            data=(32, [x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        win.send_event(event, event_mask=0)
        x.sync()  # a round trip: the request is at the server before the connection closes
    finally:
        x.close()


def frame_of(display_name, window):
    """What the window tells a window manager about its frame: title, size limits and boxes."""
    x, win = x_window(display_name, window)
    try:
        name = win.get_full_property(x.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
        hints = win.get_wm_normal_hints()
        motif = win.get_full_property(x.intern_atom("_MOTIF_WM_HINTS"), X.AnyPropertyType)
        flags, functions, decorations = motif.value[:3] if motif else (0, 0, 0)
        MWM_FUNCTIONS, MWM_DECORATIONS = 1, 2
        FUNC_ALL, FUNC_MINIMIZE, FUNC_MAXIMIZE, FUNC_CLOSE = 1, 8, 16, 32
        DECOR_ALL, DECOR_MINIMIZE, DECOR_MAXIMIZE = 1, 32, 64
        return {
            "title": bytes(name.value).decode() if name else None,
            "smallest": (hints.min_width, hints.min_height),
            "largest": (hints.max_width, hints.max_height),
            # Without function hints a window manager offers every box; all of them count as offered.
            "minimize or maximize": not flags & MWM_FUNCTIONS or bool(
                functions & (FUNC_ALL | FUNC_MINIMIZE | FUNC_MAXIMIZE)
                or flags & MWM_DECORATIONS and decorations & (DECOR_ALL | DECOR_MINIMIZE | DECOR_MAXIMIZE)),
            "close": not flags & MWM_FUNCTIONS or bool(functions & (FUNC_ALL | FUNC_CLOSE)),
        }
    finally:
        x.close()


class Picture:
    """What the window shows, read back from the X server pixel by pixel."""

    def __init__(self, display_name, window):
        x, win = x_window(display_name, window)
        try:
            geometry = win.get_geometry()
            self.width, self.height = geometry.width, geometry.height
            image = win.get_image(0, 0, self.width, self.height, X.ZPixmap, 0xFFFFFFFF)
        finally:
            x.close()
        if len(image.data) != self.width * self.height * 4:
            raise AssertionError(f"unexpected image format (depth {image.depth})")
        self.data = bytes(image.data)  # 32 bits a pixel: blue, green, red, unused

    def __eq__(self, other):
        return isinstance(other, Picture) and (self.width, self.height, self.data) == (
            other.width, other.height, other.data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 4
        return self.data[i + 2], self.data[i + 1], self.data[i]

    def colours(self):
        return {self.data[i:i + 3] for i in range(0, len(self.data), 4)}

    def save(self, path):
        """Writes the picture as a PNG file (8-bit RGB), for a person to look at."""
        rgb, stride = bytearray(len(self.data) // 4 * 3), self.width * 3
        for i in range(3):
            rgb[i::3] = self.data[2 - i::4]
        chunks = [(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)),
                  (b"IDAT", zlib.compress(b"".join(b"\0" + rgb[y:y + stride] for y in range(0, len(rgb), stride)))),
                  (b"IEND", b"")]
        with open(path, "wb") as png:
            png.write(b"\x89PNG\r\n\x1a\n" + b"".join(struct.pack(">I", len(data)) + kind + data
                                                     + struct.pack(">I", zlib.crc32(kind + data)) for kind, data in chunks))


def settled_picture(display_name, window):
    """The window's picture once painted: several colours, and the same on two reads in a row."""
    last = [None]

    def settled():
        now = Picture(display_name, window)
        same, last[0] = now == last[0], now
        return now if same and len(now.colours()) > 1 else None
    return wait_for(settled, "the window to be painted")


class Role(enum.IntEnum):
    """The roles the tests look for, by their number in AT-SPI's enum (AtspiRole)."""
    ALERT = 2
    LABEL = 29
    PUSH_BUTTON = 43


class Node:
    """One accessible object of a program, as a screen reader saw it at one moment."""

    def __init__(self, data, parent=None):
        self.role, self.name, self.text = data["role"], data["name"], data["text"]
        self.states, self.id, self.parent = set(data["states"]), data["id"], parent
        self.extents = data["extents"]
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

    def centre(self):
        x, y, width, height = self.extents
        return x + width // 2, y + height // 2

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
        self.reader = app.desktop.popen(["/usr/bin/python3", os.path.join(HERE, "atspi_snapshot.py")],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        wait_for(self.snapshot, "tarnwick on the accessibility bus")

    def close(self):
        self.reader.stdin.close()  # the reader ends at the end of its input
        self.reader.wait(timeout=LIMIT)
        self.reader.stdout.close()

    def snapshot(self):
        """The program's accessible objects now, or None while it is not on the bus."""
        self.reader.stdin.write(f"{self.app.pid}\n")
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
                     if top.role == Role.ALERT and "showing" in top.states), None)

    @staticmethod
    def alert_texts(alert):
        return [n.name for n in alert.descendants() if n.role == Role.LABEL and n.name]


class Tarnwick:
    """The real program on a desktop, with its window found: tarnwick itself, or started through a
    launcher (strace, wine) whose process is not the program's."""

    def __init__(self, desktop, executable, accessible=False, env=None, args=(), launcher=()):
        self.desktop = desktop
        extra, env = env or {}, dict(desktop.env)
        if accessible:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env.update(extra)  # the caller's own, e.g. a colour scheme
        self.launcher = launcher
        self.log = tempfile.TemporaryFile("w+", prefix="tarnwick-log-")
        self.process = desktop.popen([*launcher, executable, *args], env=env, stdout=self.log,
                                     stderr=self.log, text=True)
        self.screen = None  # a Screen reading this program sets itself here
        self.box_expected = False
        self.pid = None
        try:
            self.window = int(wait_for(self._find_window, "the main window to be mapped",
                                       LIMIT * 3 if launcher else LIMIT))
            # The process that owns the window: the program's own, also under a launcher.
            self.pid = int(desktop.run("xdotool", "getwindowpid", str(self.window)))
        except BaseException:
            self.kill()  # no one else holds the process yet
            raise
        _watched.append(self)

    def _find_window(self):
        # A launcher may hand the program over and end (wine's start); the program itself may not.
        if self.process.poll() is not None and (not self.launcher or self.process.returncode != 0):
            self.log.seek(0)
            raise AssertionError(f"tarnwick ended (status {self.process.returncode}) before its window was "
                                 f"mapped:\n{self.log.read()}")
        out = self.desktop.run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$", check=False)
        return out.split()[0] if out.split() else None

    def windows(self):
        out = self.desktop.run("xdotool", "search", "--onlyvisible", "--pid", str(self.pid), check=False)
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
        titles = [self.desktop.run("xdotool", "getwindowname", str(w), check=False).strip() for w in others]
        texts = []
        if self.screen:
            alert = self.screen.alert()
            texts = self.screen.alert_texts(alert) if alert else []
        self.box_expected = True  # reported once; the cleanup may wait on the program too
        raise AssertionError(f"unexpected window {titles} open, saying {texts}")

    def focus(self):
        if self.desktop.compositor:
            # The compositor gives the keyboard to a window once it has made it active, and sets the X focus
            # back wherever a client moves it before then: a key typed earlier goes nowhere.
            wait_for(lambda: active_window(self.desktop.name) == self.window,
                     "the compositor to make the window active")
            return
        # No window manager: give the window the input focus directly.
        self.desktop.run("xdotool", "windowfocus", "--sync", str(self.window))

    def keys(self, *names):
        self.desktop.run("xdotool", "key", "--clearmodifiers", *names)

    def type(self, text):
        self.desktop.run("xdotool", "type", "--clearmodifiers", "--delay", "20", text)

    def click_on(self, name):
        """A left click in the middle of the control a screen reader knows by that name."""
        x, y = self.screen.named(name).centre()
        self.desktop.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def clipboard(self):
        return self.desktop.run("xclip", "-o", "-selection", "clipboard", check=False)

    def exited(self):
        """Whether the program has ended (under a launcher: whether its process is gone)."""
        if self.pid is None or self.pid == self.process.pid:
            return self.process.poll() is not None
        return all(pid != self.pid for pid, _ in _live_processes())

    def kill(self):
        if self in _watched:
            _watched.remove(self)
        if self.screen:
            self.screen.close()
            self.screen = None
        for pid in {self.pid, self.process.pid} - {None}:
            kill(pid)
        self.process.wait(timeout=LIMIT)
        # Gone, and its window too: the X server may destroy it a moment after the process has ended,
        # and the next program looks for a window of the same title.
        wait_quietly(lambda: self.exited() and (self.pid is None or self.desktop.ended() or not self.windows()),
                     LIMIT)
        self.log.close()


@functools.cache
def runs_32_bit_programs():
    """Whether this machine runs 32-bit x86 programs, wine's 32-bit half among them: a kernel built or
    booted without IA-32 emulation runs none, and wine can then run only 64-bit prefixes."""
    with tempfile.TemporaryDirectory(prefix="tarnwick-32-") as work:
        subprocess.run(["as", "--32", "-o", f"{work}/exit.o", "-"], check=True, timeout=LIMIT,
                       input=b".globl _start\n_start: mov $1, %eax\nxor %ebx, %ebx\nint $0x80\n")  # exit(0)
        subprocess.run(["ld", "-m", "elf_i386", "-o", f"{work}/exit", f"{work}/exit.o"], check=True, timeout=LIMIT)
        try:
            return subprocess.run([f"{work}/exit"], timeout=LIMIT).returncode == 0
        except OSError as error:
            if error.errno == errno.ENOEXEC:
                return False
            raise


NO_32_BIT = "this machine's kernel runs no 32-bit program (no IA-32 emulation), so neither does wine"
# Why the checks that run under wine are left out, where scripts/windows.sh found no wine to run them.
NO_WINE = os.environ.get("TARNWICK_NO_WINE")


def window_reader(bits, folder):
    """tests/windows/readwindow.c built for 32- or 64-bit Windows, into folder."""
    reader = os.path.join(folder, f"readwindow{bits}.exe")
    subprocess.run([f"{'i686' if bits == 32 else 'x86_64'}-w64-mingw32-gcc-win32", "-O1", "-o", reader,
                    os.path.join(HERE, "..", "windows", "readwindow.c")], check=True, timeout=LIMIT * 3)
    return reader


class WinePrefix:
    """A wine prefix of the Windows checks' own (tests/windows/wine.sh), 32- or 64-bit Windows playing a
    version, made anew for a desktop; its wine server and programs end with the module that made it.
    With a reader (window_reader), ask() reads a window in it as a screen reader does."""

    def __init__(self, desktop, path, arch, version, reader=None):
        self.desktop, self.path, self.reader = desktop, str(path), reader
        self.command = [os.path.join(HERE, "..", "windows", "wine.sh"), self.path]
        self._reading = None
        self.wine("--set-up", arch, version, timeout=LIMIT * 9)
        unittest.addModuleCleanup(self.stop)

    def session(self, trace):
        """A new wine session begun by the reader, which starts wine's desktop shell (explorer) with its own
        WINEDEBUG=trace: the shell's trace goes to the file returned.

        Where wine versions differ: wine 8 starts the shell with a session's first program, wine 10 only for
        the first program that asks for the desktop window, and a shell started by a program inherits that
        program's trace and standard error. The reader asks for the desktop window before anything else, so
        that under both the shell is up before any program it is asked about starts, and traces here."""
        self.stop()
        log = tempfile.TemporaryFile("w+", prefix="tarnwick-shell-", errors="replace")
        self.ask(env=dict(self.desktop.env, WINEDEBUG=trace), log=log)
        return log

    def ask(self, request="?", env=None, log=subprocess.DEVNULL):
        """The reader's answer (tests/windows/readwindow.c) to one request; the reader starts if need be."""
        if not self._reading:
            self._reading = self.desktop.popen([*self.command, self.reader], stdin=subprocess.PIPE, stderr=log,
                                               stdout=subprocess.PIPE, env=env or self.desktop.env, encoding="utf-8")
        self._reading.stdin.write(request + "\n")
        self._reading.stdin.flush()
        return json.loads(self._reading.stdout.readline())

    def wine(self, *args, check=True, timeout=LIMIT * 3):
        """Runs a Windows program (or wine.sh's own command) in the prefix, on the desktop."""
        result = subprocess.run([*self.command, *map(str, args)], env=self.desktop.env, capture_output=True,
                                timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError(f"{' '.join(map(str, args))} exited with {result.returncode}:\n"
                                 f"{result.stdout.decode(errors='replace')}{result.stderr.decode(errors='replace')}")
        return result

    def version(self, version):
        """Has the prefix play another Windows version, from its next program on."""
        self.stop()
        self.wine("--version", version)

    def stop(self):
        """Ends every program in the prefix: the next one starts a wine server that reads it anew."""
        if self._reading:
            self._reading.stdin.close()
            self._reading.wait(timeout=LIMIT * 3)
            self._reading.stdout.close()
            self._reading = None
        self.wine("--stop", check=False)


def main(argv):
    if len(argv) >= 2 and argv[0] == "run":
        display = Display()
        try:
            return subprocess.run(argv[1:], env=display.env, process_group=display.group).returncode
        finally:
            display.close()
    if argv[:1] == ["screenshot"] and len(argv) in (4, 6):
        display = Display()
        launcher = []
        try:
            if argv[1] == "--wine":
                launcher = [os.path.join(HERE, "..", "windows", "wine.sh"), argv[2]]
                if not os.path.isdir(argv[2]):
                    subprocess.run([*launcher, "--set-up", "win32", "win10"], env=display.env, check=True,
                                   capture_output=True, timeout=LIMIT * 6)
                argv = argv[2:]
            app = Tarnwick(display, argv[1], launcher=launcher)
            settled_picture(display.name, app.window)
            display.run(argv[2], str(app.window), argv[3])
            app.kill()
            return 0
        finally:
            if launcher:
                display.run(*launcher, "--stop", check=False)
            display.close()
    print(__doc__.split("\n\n")[-1], file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""tarnwick on the desktops it meets: light and dark colour schemes, a clipboard manager, a screen reader,
a Wayland session, and a command line it must ignore. Each test builds the desktop it needs for real.

Every desktop has a session bus and AT-SPI bus of its own (desktop.Display).
"""
import collections
import contextlib
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest

from Xlib import X, display as xdisplay, ext as xext, protocol

from desktop import LIMIT, Display, Screen, Tarnwick, wait_for

# python-xlib fails to connect to XWayland while it reads its RANDR extension (event codes clash); no
# test here needs RANDR.
xext.__extensions__ = [e for e in xext.__extensions__ if e[0] != "RANDR"]

EXECUTABLE = os.environ["TARNWICK"]
HERE = os.path.dirname(os.path.abspath(__file__))

FF_TEXT = "给予INI19引导装入程序的控制，主板OK"
LABEL1 = "DEBUG代码："
LABEL3 = "代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"

# Points of the client area (pixels at 96 dpi).
EXIT = (168 + 36, 200 + 16)
RESULT = (100, 120)

# Qt waits this long (seconds) for a clipboard manager to take the copy when the program ends.
QT_CLIPBOARD_WAIT = 5.0


def x_window(display_name, window):
    x = xdisplay.Display(display_name)
    return x, x.create_resource_object("window", window)


def send_close_box(display_name, window):
    """What a window manager sends when the user clicks the close box."""
    x, win = x_window(display_name, window)
    try:
        event = protocol.event.ClientMessage(
            window=win, client_type=x.intern_atom("WM_PROTOCOLS"),
            data=(32, [x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        win.send_event(event, event_mask=0)
        x.sync()
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

    def pixels(self, left, top, width, height):
        for y in range(top, top + height):
            row = (y * self.width + left) * 4
            for i in range(row, row + width * 4, 4):
                yield self.data[i + 2], self.data[i + 1], self.data[i]

    def differing(self, other):
        return sum(a != b for a, b in zip(self.pixels(0, 0, self.width, self.height),
                                          other.pixels(0, 0, other.width, other.height)))


def settled_picture(display_name, window):
    """The window's picture once painted: several colours, and the same on two reads in a row."""
    last = [None]

    def settled():
        now = Picture(display_name, window)
        same, last[0] = now == last[0], now
        return now if same and len(set(now.pixels(0, 0, now.width, now.height))) > 1 else None
    return wait_for(settled, "the window to be painted")


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def text_contrast(picture, rect, inset=3):
    """The contrast of a control's text with the background around it: the most contrasting pixel
    against the commonest colour, inside the rectangle less its frame."""
    left, top, width, height = rect
    pixels = list(picture.pixels(left + inset, top + inset, width - 2 * inset, height - 2 * inset))
    background = collections.Counter(pixels).most_common(1)[0][0]
    return max(contrast(p, background) for p in pixels), background


class Weston:
    """A Wayland session: weston in a window of an Xvfb, with its XWayland X server.

    Looks like a Display to the code that starts programs: name and env are those a program of the
    session gets (XWayland's DISPLAY, WAYLAND_DISPLAY, a private XDG_RUNTIME_DIR, no QT_QPA_PLATFORM).
    """

    def __init__(self, outer):
        self.runtime = tempfile.mkdtemp(prefix="tarnwick-wayland-")  # mode 0700
        socket = f"tarnwick-{os.getpid()}"
        log = os.path.join(self.runtime, "weston.log")
        env = dict(outer.env, XDG_RUNTIME_DIR=self.runtime)
        self.server = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--use-pixman", "--xwayland", f"--socket={socket}",
             "--width=1024", "--height=768", f"--log={log}"],
            env=env, start_new_session=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def xwayland():
            if self.server.poll() is not None:
                raise AssertionError("weston did not start")
            if not os.path.exists(log):
                return None
            with open(log, encoding="utf-8", errors="replace") as text:
                found = re.search(r"xserver listening on display (:\d+)", text.read())
            return found and found.group(1)
        try:
            self.name = wait_for(xwayland, "weston's XWayland display")
        except BaseException:
            self.close()
            raise
        self.env = dict(env, DISPLAY=self.name, WAYLAND_DISPLAY=socket, XDG_SESSION_TYPE="wayland")
        self.env.pop("QT_QPA_PLATFORM", None)

    run = Display.run

    def close(self):
        # weston, its shell helpers and XWayland share its process group.
        try:
            os.killpg(self.server.pid, signal.SIGTERM)
            self.server.wait(timeout=LIMIT)
        except subprocess.TimeoutExpired:
            os.killpg(self.server.pid, signal.SIGKILL)
            self.server.wait(timeout=LIMIT)
        except ProcessLookupError:
            pass
        wait_for(lambda: not _group_alive(self.server.pid), "weston's helpers to end")
        shutil.rmtree(self.runtime, ignore_errors=True)


def _group_alive(pgid):
    try:
        os.killpg(pgid, 0)
        return True
    except ProcessLookupError:
        return False


class DesktopsTest(unittest.TestCase):
    """Each test, and each row of a data-driven test, has desktops of its own, gone when it ends."""

    def setUp(self):
        self.cleanups = contextlib.ExitStack()
        self.addCleanup(self.cleanups.close)

    @contextlib.contextmanager
    def row(self, **params):
        outer = self.cleanups
        with self.subTest(**params), contextlib.ExitStack() as self.cleanups:
            try:
                yield
            finally:
                self.cleanups = outer

    def desktop(self, size="1024x768x24"):
        display = Display(size)
        self.cleanups.callback(display.close)
        return display

    def start(self, display, **options):
        app = Tarnwick(display, EXECUTABLE, **options)
        self.cleanups.callback(app.kill)
        return app


class ColourSchemes(DesktopsTest):
    # Control, its rectangle in the client area, and the contrast its text has in the classic light
    # Windows scheme, the least it may have in any scheme.
    FLOORS = [
        ("TxtC", (168, 8, 57, 34), 16.0),         # active caption #000080 on window #FFFFFF
        ("Label1", (24, 16, 137, 25), 11.5),      # button text on button face #C0C0C0; TxtC from 161
        ("CmdOK", (8, 200, 73, 33), 11.5),
        ("Cmdm", (88, 200, 73, 33), 11.5),
        ("CmdCE", (168, 200, 73, 33), 11.5),
        ("Label3", (8, 48, 233, 32), 2.17),       # app workspace #808080 on button face; last row under TxtGD
        ("TxtGD", (8, 80, 233 - 20, 113), 8.3),   # its own RGB(128,0,0) on RGB(224,224,224); no scroll bar
    ]
    LABEL1_BOX, RESULT_BOX = FLOORS[1][1], FLOORS[-1][1]
    SCHEMES = [("light", "Adwaita", False), ("dark", "Adwaita:dark", True)]

    def test_every_text_is_as_legible_as_in_the_classic_scheme(self):
        for scheme, gtk_theme, dark in self.SCHEMES:
            with self.row(scheme=scheme):
                display = self.desktop()
                display.run("xdotool", "mousemove", "0", "0")  # no control is hovered
                app = self.start(display, env={"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": gtk_theme})
                start = list(settled_picture(display.name, app.window).pixels(*self.RESULT_BOX))
                app.focus()
                app.type("ff")
                # Enter on the query button rather than in the code box: the box's caret, drawn by
                # inverting what lies beneath it, is then gone before the answer is painted.
                app.keys("Tab", "Return")

                def answered():  # the answer and the code shown back ("FF") are painted together
                    now = Picture(display.name, app.window)
                    return now if list(now.pixels(*self.RESULT_BOX)) != start else None
                picture = wait_for(answered, "the answer to be painted")
                face = text_contrast(picture, self.LABEL1_BOX)[1]
                self.assertEqual(luminance(face) < 0.2, dark, f"the {scheme} scheme reached the window")
                too_faint = []
                for control, rect, floor in self.FLOORS:
                    ratio, background = text_contrast(picture, rect)
                    if ratio < floor * 0.97:  # 3% for rounding
                        too_faint.append(f"{control} {ratio:.2f}:1 on {background}, wanted {floor}:1")
                self.assertFalse(too_faint, f"texts too faint in the {scheme} scheme")


class ClipboardManager(DesktopsTest):
    WAYS_OUT = {
        "exit button": lambda app: app.click(*EXIT),
        "Escape": lambda app: app.keys("Escape"),
        "close box": lambda app: send_close_box(app.display.name, app.window),
    }

    def copy_answer(self, silent):
        """A desktop with a clipboard manager, and tarnwick on it with the FF answer copied."""
        display = self.desktop()
        record_file = self.cleanups.enter_context(
            tempfile.NamedTemporaryFile("r", suffix=".clip", encoding="ascii"))
        manager = subprocess.Popen(
            ["/usr/bin/python3", os.path.join(HERE, "clipmanager.py"), record_file.name]
            + (["--silent"] if silent else []), env=display.env)
        self.cleanups.callback(lambda: (manager.kill(), manager.wait(timeout=LIMIT)))

        def record():
            record_file.seek(0)
            return record_file.read().splitlines()
        wait_for(lambda: "owner" in record(), "the clipboard manager to own its selection")
        app = self.start(display)
        app.focus()
        app.type("ff")
        app.keys("Return")
        app.click(*RESULT)
        app.keys("ctrl+a", "ctrl+c")
        wait_for(lambda: display.run("xclip", "-o", "-selection", "clipboard", check=False) == FF_TEXT,
                 "the answer on the clipboard")
        return app, record

    def test_copied_answer_reaches_the_clipboard_manager(self):
        for way, leave in self.WAYS_OUT.items():
            with self.row(way_out=way):
                app, record = self.copy_answer(silent=False)
                leave(app)
                wait_for(app.exited, "the process to end")
                self.assertEqual(app.process.returncode, 0)
                saved = dict(line.split(" ")[1:] for line in record() if line.startswith("saved "))
                self.assertEqual(bytes.fromhex(saved.get("UTF8_STRING", "")).decode(), FF_TEXT,
                                 f"what the clipboard manager kept after leaving by the {way}")

    def test_window_goes_at_once_when_the_manager_does_not_answer(self):
        for way, leave in self.WAYS_OUT.items():
            with self.row(way_out=way):
                app, record = self.copy_answer(silent=True)
                leave(app)
                wait_for(lambda: app.windows() == [], "the window to go")
                # The program waits for an answer that never comes, but only as long as Qt allows.
                wait_for(app.exited, "the process to end after Qt's wait", QT_CLIPBOARD_WAIT + 5)
                self.assertIn("asked", record(), f"leaving by the {way} offered the manager nothing")


class ScreenReader(DesktopsTest):
    def test_labels_are_read_as_labels_of_their_boxes(self):
        app = self.start(self.desktop(), accessible=True)
        screen = Screen(app)
        for name in (LABEL1, LABEL3, "DEBUG代码"):
            screen.named(name)  # all there; then read them at one moment, relations and all
        found = {node.name: node for node in screen.snapshot().descendants()}
        label1, label3, code_box = found[LABEL1], found[LABEL3], found["DEBUG代码"]
        for label in (label1, label3):
            self.assertEqual(label.role, "label", label.name)
        self.assertTrue(code_box in label1.related("label for") or label1 in code_box.related("labelled by"),
                        "the code box is announced with its caption")


class WaylandSession(DesktopsTest):
    def test_window_comes_up_on_xwayland_whole(self):
        session = Weston(self.desktop("1280x1024x24"))
        self.cleanups.callback(session.close)
        try:
            app = self.start(session, accessible=True)
        except AssertionError:
            self.fail("no window on weston's X server (XWayland): the program went to Wayland itself")
        x, win = x_window(session.name, app.window)
        self.cleanups.callback(x.close)
        name = win.get_full_property(x.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
        self.assertEqual(bytes(name.value).decode(), Tarnwick.TITLE)
        hints = win.get_wm_normal_hints()
        self.assertEqual((hints.min_width, hints.min_height, hints.max_width, hints.max_height),
                         (249, 241, 249, 241))
        motif = win.get_full_property(x.intern_atom("_MOTIF_WM_HINTS"), X.AnyPropertyType)
        self.assertIsNotNone(motif, "the window tells which boxes it has")
        flags, functions, decorations = motif.value[:3]
        MWM_HINTS_FUNCTIONS, MWM_HINTS_DECORATIONS = 1, 2
        FUNC_ALL, FUNC_MINIMIZE, FUNC_MAXIMIZE = 1, 8, 16
        DECOR_ALL, DECOR_MINIMIZE, DECOR_MAXIMIZE = 1, 32, 64
        self.assertTrue(flags & MWM_HINTS_FUNCTIONS)
        self.assertFalse(functions & (FUNC_ALL | FUNC_MINIMIZE | FUNC_MAXIMIZE))
        if flags & MWM_HINTS_DECORATIONS:
            self.assertFalse(decorations & (DECOR_ALL | DECOR_MINIMIZE | DECOR_MAXIMIZE))

        screen = Screen(app)
        app.focus()
        app.type("ff")
        app.keys("Return")
        wait_for(lambda: screen.text("DEBUG代码") == "FF", "the code shown back as stored")
        self.assertEqual(screen.text("查询结果"), FF_TEXT)


class CommandLine(DesktopsTest):
    SHEET = "QWidget { background-color: red; color: yellow; }\n"

    def test_arguments_change_nothing(self):
        sheet = tempfile.NamedTemporaryFile("w", suffix=".qss", prefix="tarnwick-sheet-")
        self.addCleanup(sheet.close)
        sheet.write(self.SHEET)
        sheet.flush()
        trace = tempfile.NamedTemporaryFile("r", suffix=".strace")
        self.addCleanup(trace.close)
        # The toolkit's own environment still applies: twice the scale is twice the window.
        for scale, size in (("1", (249, 241)), ("2", (498, 482))):
            with self.row(scale=scale):
                env = {"QT_SCALE_FACTOR": scale}
                display = self.desktop()
                plain = self.start(display, env=env)
                expected = settled_picture(display.name, plain.window)
                self.assertEqual((expected.width, expected.height), size)
                plain.kill()
                wait_for(lambda: plain.windows() == [], "the first window to go")

                traced = self.traced(display, env, ["-stylesheet", sheet.name, "-reverse"], trace.name)
                picture = settled_picture(display.name, traced.window)
                self.assertEqual(picture.differing(expected), 0, "pixels changed by the arguments")
                trace.seek(0)
                self.assertFalse(sheet.name in trace.read(), "the style sheet was opened")

    def traced(self, display, env, args, trace):
        """tarnwick with arguments, every file it opens written to trace."""
        app = Tarnwick(display, "strace", env=env,
                       args=["-f", "-e", "trace=open,openat", "-o", trace, EXECUTABLE, *args])
        # Ending strace would leave its child running: end the program itself.
        pid = int(display.run("xdotool", "getwindowpid", str(app.window)))
        self.cleanups.callback(app.kill)
        self.cleanups.callback(_kill, pid)
        return app


def _kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""tarnwick on the desktops it meets: a clipboard manager, a screen reader, a Wayland session, and a
command line it must ignore. Each test builds the desktop it needs for real, with a session bus and
AT-SPI bus of its own (desktop.Display). GTK's light and dark schemes are met by tst_frmdc's colour
rows, run on a desktop with GTK's theme (tests/CMakeLists.txt).
"""
import contextlib
import os
import tempfile
import unittest

from desktop import (TITLE, Display, Role, Screen, Tarnwick, frame_of, program_texts, send_close_box,
                     settled_picture, wait_for)

EXECUTABLE = os.environ["TARNWICK"]
FF_TEXT = program_texts(os.environ["SLOTPROBE"])["rows"]["FF"]

# Qt waits this long (seconds) for a clipboard manager to take the copy when the program ends.
QT_CLIPBOARD_WAIT = 5.0


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

    def start(self, desktop, executable=EXECUTABLE, **options):
        app = Tarnwick(desktop, executable, **options)
        self.cleanups.callback(app.kill)
        return app


class ClipboardManager(DesktopsTest):
    WAYS_OUT = {
        "exit button": lambda app: app.click_on("退出"),
        "Escape": lambda app: app.keys("Escape"),
        "close box": lambda app: send_close_box(app.desktop.name, app.window),
    }

    def copy_answer(self, silent):
        """A desktop with a clipboard manager, and tarnwick on it with the FF answer copied."""
        display = self.desktop()
        record_file = self.cleanups.enter_context(
            tempfile.NamedTemporaryFile("r", suffix=".clip", encoding="ascii"))
        display.popen(["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "clipmanager.py"),
                       record_file.name] + (["--silent"] if silent else []))

        def record():
            record_file.seek(0)
            return record_file.read().splitlines()
        wait_for(lambda: "owner" in record(), "the clipboard manager to own its selection")
        app = self.start(display, accessible=True)
        Screen(app)
        app.focus()
        app.type("ff")
        app.keys("Return")
        app.click_on("查询结果")
        app.keys("ctrl+a", "ctrl+c")
        wait_for(lambda: app.clipboard() == FF_TEXT, "the answer on the clipboard")
        return app, record

    def test_copied_answer_reaches_the_clipboard_manager(self):
        for way, leave in self.WAYS_OUT.items():
            with self.row(way_out=way):
                app, record = self.copy_answer(silent=False)
                leave(app)
                wait_for(app.exited, "the process to end")
                self.assertEqual(app.process.returncode, 0)
                self.assertEqual(app.windows(), [])
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
        screen = Screen(self.start(self.desktop(), accessible=True))
        screen.named("DEBUG代码")  # up; then read it all at one moment, relations and all
        nodes = list(screen.snapshot().descendants())
        code_box = next(n for n in nodes if n.name == "DEBUG代码")
        labels = [n for n in nodes if n.role == Role.LABEL]
        self.assertEqual(len(labels), 2, "Label1 and Label3 are read as labels")
        self.assertTrue(all(label.name for label in labels), "each label is read out by its caption")
        self.assertTrue(any(code_box in label.related("label for") or label in code_box.related("labelled by")
                            for label in labels), "the code box is announced with its caption")


class WaylandSession(DesktopsTest):
    def test_window_comes_up_on_xwayland_whole(self):
        session = self.desktop("1280x1024x24").wayland()

        def started():
            try:
                app = self.start(session, accessible=True)
            except AssertionError:
                self.fail("no window on weston's X server (XWayland): the program went to Wayland itself")
            return app, app.window, app.kill
        app = session.shown(started)
        frame = frame_of(session.name, app.window)
        self.assertEqual(frame["title"], TITLE)
        self.assertEqual((frame["smallest"], frame["largest"]), ((249, 241), (249, 241)))
        self.assertFalse(frame["minimize or maximize"])

        screen = Screen(app)
        app.focus()
        app.type("ff")
        app.keys("Return")
        wait_for(lambda: screen.text("DEBUG代码") == "FF", "the code shown back as stored")
        self.assertEqual(screen.text("查询结果"), FF_TEXT)


class CommandLine(DesktopsTest):
    def test_arguments_change_nothing(self):
        sheet = self.cleanups.enter_context(tempfile.NamedTemporaryFile("w", suffix=".qss"))
        sheet.write("QWidget { background-color: red; color: yellow; }\n")
        sheet.flush()
        trace = self.cleanups.enter_context(tempfile.NamedTemporaryFile("r", suffix=".strace"))
        # The toolkit's own environment still applies: twice the scale is twice the window.
        for scale, size in (("1", (249, 241)), ("2", (498, 482))):
            with self.row(scale=scale):
                env = {"QT_SCALE_FACTOR": scale}
                display = self.desktop()
                plain = self.start(display, env=env)
                expected = settled_picture(display.name, plain.window)
                self.assertEqual((expected.width, expected.height), size)
                plain.kill()

                traced = self.start(display, env=env, args=["-stylesheet", sheet.name, "-reverse"],
                                    launcher=["strace", "-f", "-e", "trace=open,openat", "-o", trace.name])
                self.assertEqual(settled_picture(display.name, traced.window), expected,
                                 "pixels changed by the arguments")
                trace.seek(0)
                self.assertNotIn(sheet.name, trace.read(), "the style sheet was opened")


if __name__ == "__main__":
    unittest.main(verbosity=2)

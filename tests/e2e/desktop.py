"""A private X display with tarnwick running on it, and the means to drive and read it.

Keys and clicks are real X input (xdotool, through XTEST); what the window shows is read over AT-SPI, as
a screen reader reads it; the clipboard is read with xclip. Every wait polls a condition with a time
limit, so a slow machine only makes the tests slower, never flaky.
"""
import os
import signal
import subprocess
import time

LIMIT = 20.0  # seconds any single condition may take


def wait_for(condition, what, limit=LIMIT):
    deadline = time.monotonic() + limit
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.02)


class Display:
    """An Xvfb server on a free display number, for the lifetime of the object."""

    def __init__(self, size="1280x1024x24"):
        read_fd, write_fd = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()  # written once the server accepts clients
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.name)

    def run(self, *args, check=True):
        return subprocess.run(args, env=self.env, check=check, capture_output=True, text=True,
                              timeout=LIMIT).stdout

    def close(self):
        self.server.terminate()
        self.server.wait(timeout=LIMIT)


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
        self.process = subprocess.Popen([executable, *args], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        try:
            self.window = int(wait_for(self._find_window, "the main window to be mapped"))
        except BaseException:
            self.kill()  # no one else holds the process yet
            raise

    def _find_window(self):
        out = self.display.run("xdotool", "search", "--onlyvisible", "--name", self.TITLE, check=False)
        return out.split()[0] if out.split() else None

    def windows(self):
        out = self.display.run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                               check=False)
        return [int(w) for w in out.split()]

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
        if not self.exited():
            self.process.send_signal(signal.SIGKILL)
        self.process.communicate(timeout=LIMIT)  # also closes its pipes

"""Test desktops on one machine share nothing and leave nothing: what once made the real-display tests flaky.

Made on purpose here: records of dead session buses and dead AT-SPI sockets for the display numbers the
next X servers will take; two desktops at once; a server whose last client leaves; a desktop closed with
its program, its AT-SPI bus and a daemon of its own session still running.
"""
import contextlib
import os
import socket
import subprocess
import tempfile
import unittest
from pathlib import Path
from unittest import mock

from Xlib import X, Xatom, display as xdisplay

from desktop import Display, Screen, Tarnwick, processes_with_env, program_texts, wait_for

ROWS = program_texts(os.environ["SLOTPROBE"])["rows"]


def dead_socket(path):
    """A socket file nothing listens on, as a killed bus leaves it."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with socket.socket(socket.AF_UNIX) as s:
        s.bind(path)


class SharedMachine(unittest.TestCase):
    def setUp(self):
        # The home folder where dead desktops left their traces; the desktops take it from here.
        home = tempfile.TemporaryDirectory(prefix="tarnwick-home-")
        self.addCleanup(home.cleanup)
        self.home = home.name
        environment = mock.patch.dict(os.environ, HOME=self.home)
        environment.start()
        self.addCleanup(environment.stop)
        for name in ("XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
            os.environ.pop(name, None)

    def desktop(self):
        display = Display()
        self.addCleanup(display.close)
        app = Tarnwick(display, os.environ["TARNWICK"], accessible=True)
        self.addCleanup(app.kill)
        return display, app

    def files_in_home(self):
        """Every path under the home folder, with the content of each regular file."""
        paths = [Path(top, name) for top, folders, files in os.walk(self.home) for name in folders + files]
        return {path: path.read_bytes() if path.is_file() else None for path in paths}

    def test_two_desktops_over_stale_traces_each_read_their_own_program(self):
        machine = next(Path(path).read_text(encoding="ascii").strip()
                       for path in ("/var/lib/dbus/machine-id", "/etc/machine-id") if os.path.exists(path))
        dead = subprocess.run(["sh", "-c", "echo $$"], capture_output=True, text=True).stdout.strip()
        # The numbers the next X servers will take: the lowest without a lock or socket.
        numbers = [n for n in range(64) if not os.path.exists(f"/tmp/.X{n}-lock")
                   and not os.path.exists(f"/tmp/.X11-unix/X{n}")][:4]
        for n in numbers:
            bus = os.path.join(self.home, f"dead-bus-{n}")
            dead_socket(bus)
            os.makedirs(os.path.join(self.home, ".dbus", "session-bus"), exist_ok=True)
            with open(os.path.join(self.home, ".dbus", "session-bus", f"{machine}-{n}"), "w") as record:
                record.write(f"DBUS_SESSION_BUS_ADDRESS='unix:path={bus},guid={n:032x}'\n"
                             f"DBUS_SESSION_BUS_PID={dead}\nDBUS_SESSION_BUS_WINDOWID=2097153\n")
            dead_socket(os.path.join(self.home, ".cache", "at-spi", f"bus_{n}"))
        dead_socket(os.path.join(self.home, ".cache", "at-spi", "bus"))
        planted = self.files_in_home()
        apps = [self.desktop()[1], self.desktop()[1]]
        # Both programs are up before either is read: a shared AT-SPI bus would now be the second's.
        screens = [Screen(app) for app in apps]
        for app, code in zip(apps, ("ff", "1c")):
            app.focus()
            app.type(code)
            app.keys("Return")
        for screen, code in zip(screens, ("FF", "1C")):
            wait_for(lambda: screen.text("查询结果") == ROWS[code], f"{code}'s text on its own desktop")
        self.assertEqual(self.files_in_home(), planted, "a program autolaunched a session bus and recorded it")

    def test_closing_a_desktop_ends_all_its_processes_and_files(self):
        display, app = self.desktop()
        Screen(app)  # the AT-SPI bus and its registry run now too
        # A daemon of its own session, that heeds neither the X server nor the bus.
        display.popen(["setsid", "--fork", "sleep", "600"]).wait(timeout=20)
        marker = f"XDG_RUNTIME_DIR={display.runtime}"

        def names():
            found = []
            for pid in processes_with_env(marker):
                with contextlib.suppress(OSError):  # a process that ended meanwhile
                    found.append(Path(f"/proc/{pid}/comm").read_text(encoding="ascii").strip())
            return found
        running = wait_for(lambda: "sleep" in (found := names()) and found, "the daemon to run")
        for name in ("Xvfb", "dbus-daemon", "tarnwick", "at-spi-bus-laun", "at-spi2-registr"):
            self.assertIn(name, running)
        display.close()
        self.assertEqual(names(), [])
        self.assertEqual(self.files_in_home(), {}, "the desktop wrote into the home folder")
        self.assertFalse(os.path.exists(display.runtime))
        lock = f"/tmp/.X{display.number}-lock"
        if os.path.exists(lock):  # another server may have taken the number since
            with open(lock, encoding="ascii") as f:
                self.assertNotEqual(int(f.read()), display.server.pid, "the server's lock was left")

    def test_server_is_as_it_was_when_its_last_client_has_left(self):
        # A server that resets when its last client leaves drops a client that connects meanwhile:
        # a program starting just as xdotool, looking for its window, disconnects.
        display = Display()
        self.addCleanup(display.close)
        for _ in range(2):
            x = xdisplay.Display(display.name)
            mark = x.intern_atom("TARNWICK_MARK")
            kept = x.screen().root.get_full_property(mark, X.AnyPropertyType)
            x.screen().root.change_property(mark, Xatom.STRING, 8, b"kept")
            x.sync()  # at the server before the client leaves
            x.close()
        self.assertEqual(kept and kept.value, b"kept")


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""Test desktops on one machine share nothing and leave nothing: what once made the real-display tests flaky.

Made on purpose here: records of dead session buses, and dead AT-SPI sockets, for the display numbers
the next X servers will take; two desktops at once; a tool leaving the X server just as the next
client arrives; a desktop closed with its program and AT-SPI bus still running.
"""
import os
import socket
import subprocess
import tempfile
import unittest
from unittest import mock

from Xlib import X, Xatom, display as xdisplay

from desktop import Display, Screen, Tarnwick, processes_with_env, wait_for

EXECUTABLE = os.environ["TARNWICK"]
FF_TEXT = "给予INI19引导装入程序的控制，主板OK"
CODE_1C_TEXT = "测试CMOS检查总和。 . 第一个64DK RAM第12位故障。 "


def machine_id():
    for path in ("/var/lib/dbus/machine-id", "/etc/machine-id"):
        if os.path.exists(path):
            with open(path, encoding="ascii") as f:
                return f.read().strip()
    raise AssertionError("no machine id")


def next_display_numbers(count):
    free, n = [], 0
    while len(free) < count:
        if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            free.append(n)
        n += 1
    return free


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

    def records(self):
        folder = os.path.join(self.home, ".dbus", "session-bus")
        found = {}
        for name in os.listdir(folder):
            with open(os.path.join(folder, name), encoding="ascii") as record:
                found[name] = record.read()
        return found

    def plant_stale_traces(self):
        folder = os.path.join(self.home, ".dbus", "session-bus")
        os.makedirs(folder)
        dead = subprocess.Popen(["true"])
        dead.wait()
        for n in next_display_numbers(4):
            bus = os.path.join(self.home, f"dead-bus-{n}")
            dead_socket(bus)
            with open(os.path.join(folder, f"{machine_id()}-{n}"), "w", encoding="ascii") as record:
                record.write(f"DBUS_SESSION_BUS_ADDRESS='unix:path={bus},guid={n:032x}'\n"
                             f"DBUS_SESSION_BUS_PID={dead.pid}\nDBUS_SESSION_BUS_WINDOWID=2097153\n")
            dead_socket(os.path.join(self.home, ".cache", "at-spi", f"bus_{n}"))
        dead_socket(os.path.join(self.home, ".cache", "at-spi", "bus"))
        return self.records()

    def start(self, display):
        app = Tarnwick(display, EXECUTABLE, accessible=True)
        self.addCleanup(app.kill)
        return app

    def test_two_desktops_over_stale_records_each_read_their_own_program(self):
        planted = self.plant_stale_traces()
        displays = [Display(), Display()]
        for display in displays:
            self.addCleanup(display.close)
        apps = [self.start(display) for display in displays]
        # Both programs are up before either is read: a shared AT-SPI bus would now be the second's.
        screens = [Screen(app) for app in apps]
        for app, code in zip(apps, ("ff", "1c")):
            app.focus()
            app.type(code)
            app.keys("Return")
        for screen, text in zip(screens, (FF_TEXT, CODE_1C_TEXT)):
            wait_for(lambda: screen.text("查询结果") == text, f"{text!r} on its own desktop")
        rewritten = sorted(name for name, text in self.records().items() if planted.get(name) != text)
        self.assertEqual(rewritten, [], "a program autolaunched a session bus and recorded it")

    def test_closing_a_desktop_ends_all_its_processes_and_sockets(self):
        display = Display()
        self.addCleanup(display.close)
        Screen(self.start(display))  # the AT-SPI bus and its registry run now too
        # A daemon of its own session, that heeds neither the X server nor the bus.
        display.popen(["setsid", "--fork", "sleep", "600"], stdout=subprocess.DEVNULL,
                      stderr=subprocess.DEVNULL).wait(timeout=20)
        marker = f"XDG_RUNTIME_DIR={display.runtime}"

        def names():
            found = []
            for pid in processes_with_env(marker):
                try:
                    with open(f"/proc/{pid}/comm", encoding="ascii") as comm:
                        found.append(comm.read().strip())
                except OSError:
                    pass
            return found
        running = wait_for(lambda: "sleep" in (found := names()) and found, "the daemon to run")
        for name in ("Xvfb", "dbus-daemon", "tarnwick", "at-spi-bus-laun", "at-spi2-registr"):
            self.assertIn(name, running)
        display.close()
        self.assertEqual(names(), [])
        left = [os.path.join(top, name) for top, folders, files in os.walk(self.home) for name in folders + files]
        self.assertEqual(left, [], "the desktop wrote into the home folder")
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
        x = xdisplay.Display(display.name)
        mark = x.intern_atom("TARNWICK_MARK")
        x.screen().root.change_property(mark, Xatom.STRING, 8, b"kept")
        x.sync()
        x.close()
        x = xdisplay.Display(display.name)
        self.addCleanup(x.close)
        prop = x.screen().root.get_full_property(x.intern_atom("TARNWICK_MARK"), X.AnyPropertyType)
        self.assertEqual(prop and prop.value, b"kept")


if __name__ == "__main__":
    unittest.main(verbosity=2)

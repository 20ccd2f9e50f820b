"""The Windows program checked from Debian: its file, the core tests, the real window and the installer.

Run by `scripts/windows.sh --check` (usage: test_windows.py BUILD_WINDOWS_DIR, with DISPLAY set to an X
server of the caller's), after it has built everything. Wine runs in a prefix inside that folder,
set up once and told to be Windows 10. Keys go in through xdotool, the result comes back through the
clipboard (xclip) and colours are read from the painted window, as a person would see them.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import unittest
import zipfile
import zlib
from pathlib import Path

from Xlib import X
from Xlib import display as xdisplay

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
from desktop import wait_for  # noqa: E402

OUT = None  # the build folder of scripts/windows.sh, from the command line
TITLE = "DEBUG代码查询系统"
VERSION = "1.00"
LIMIT = 60.0  # seconds for one wine program to do its part; a first start in a prefix is the slowest
CODE_BOX, RESULT_BOX = (190, 24), (100, 120)  # points inside the two text boxes, in window pixels
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\tarnwick"

# Every 64-bit Windows 10 has these; nothing else may be imported (no MinGW runtime, no Qt DLLs).
SYSTEM_DLLS = {
    "advapi32.dll", "authz.dll", "comdlg32.dll", "d3d9.dll", "d3d11.dll", "dwmapi.dll", "dwrite.dll",
    "dxgi.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll", "netapi32.dll", "ole32.dll",
    "oleaut32.dll", "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "userenv.dll", "uxtheme.dll",
    "version.dll", "winmm.dll", "ws2_32.dll", "wtsapi32.dll",
    # API sets, resolved by the loader of Windows 8 and later
    "api-ms-win-core-synch-l1-2-0.dll", "api-ms-win-core-winrt-l1-1-0.dll",
    "api-ms-win-core-winrt-string-l1-1-0.dll",
}


def run(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, timeout=LIMIT, **kw).stdout


def wait_for_value(read, expected, what):
    """Waits until read() gives the expected value; fails showing the last value it gave."""
    try:
        wait_for(lambda: read() == expected, what, LIMIT)
    except AssertionError:
        unittest.TestCase().assertEqual(read(), expected, f"timed out waiting for {what}")


def description_of(code):
    """The description that the built-in table holds for a code, as its source spells it."""
    rows = (SOURCE / "core" / "coderows.cpp").read_text(encoding="utf-8")
    found = re.search(r'\{u"%s", u"((?:[^"\\]|\\.)*)"\}' % code, rows)
    assert found, f"no row for {code} in core/coderows.cpp"
    return found.group(1)


def icon_images(data):
    """(width, height, bits per pixel, image bytes) of each image of an .ico file."""
    _, kind, count = struct.unpack("<HHH", data[:6])
    assert kind == 1, "not an icon"
    images = []
    for i in range(count):
        width, height, _, _, _, bits, length, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        images.append((width, height, bits, data[offset:offset + length]))
    return images


def shortcut_paths(data):
    """The target path and the icon location that a Windows shortcut (.lnk) file holds."""
    flags = struct.unpack_from("<I", data, 20)[0]
    pos = 76
    if flags & 0x1:  # an item list for the target comes first
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    assert flags & 0x2, "the shortcut holds no path"
    info = pos
    pos += struct.unpack_from("<I", data, info)[0]
    base = struct.unpack_from("<I", data, info + 16)[0]
    target = data[info + base:data.index(b"\0", info + base)].decode("ascii")
    strings = []
    for bit in (0x4, 0x8, 0x10, 0x20, 0x40):  # name, relative path, working dir, arguments, icon
        if flags & bit:
            count = struct.unpack_from("<H", data, pos)[0]
            strings.append(data[pos + 2:pos + 2 + 2 * count].decode("utf-16-le").rstrip("\0"))
            pos += 2 + 2 * count
        else:
            strings.append(None)
    return target, strings[4]


class Wine:
    """Windows programs run by wine in the build folder's prefix, on the caller's X server."""

    def __init__(self, out):
        self.prefix = out / "wine"
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("WINE", "DBUS_", "QT_"))}
        self.env.update(
            WINEPREFIX=str(self.prefix),
            WINEDEBUG="-all",
            # No Mono or Gecko download prompt, and no Linux menu entries made from Start-menu shortcuts.
            WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
            # Qt writes its messages and test results to the debugger unless told that stderr is read;
            # wine hands QT_* to Windows programs only as WINEQT_*.
            WINEQT_FORCE_STDERR_LOGGING="1",
            HOME=str(out / "wine-home"),  # whatever wine keeps per user stays in the build folder
        )
        os.makedirs(self.env["HOME"], exist_ok=True)

    def set_up(self):
        ready = self.prefix / ".set-up"
        if not ready.exists():
            shutil.rmtree(self.prefix, ignore_errors=True)
            start = time.monotonic()
            self.run("wineboot", "-i", timeout=600)
            # Wine 8 plays Windows 7 unless told otherwise; the program needs Windows 10.
            self.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win10", "/f")
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=600, check=True)  # registry saved
            ready.touch()
            print(f"wine prefix set up in {time.monotonic() - start:.1f} s", file=sys.stderr)
        probe = self.run("cmd", "/c", "echo", "wine-is-up", check=False)
        if "wine-is-up" not in probe.stdout:
            raise RuntimeError(f"wine cannot start Windows programs (exit code {probe.returncode}): "
                               f"{probe.stdout}{probe.stderr}")

    def run(self, program, *args, check=True, timeout=LIMIT, cwd=None):
        if not shutil.which("wine", path=self.env.get("PATH")):
            raise RuntimeError("wine is not installed (Debian packages wine and wine64)")
        result = subprocess.run(["wine", str(program), *args], env=self.env, capture_output=True,
                                timeout=timeout, cwd=cwd)
        result.stdout = result.stdout.decode("utf-8", "replace")
        result.stderr = result.stderr.decode("utf-8", "replace")
        if check and result.returncode != 0:
            raise AssertionError(f"wine {program} {' '.join(args)} exited with {result.returncode}:\n"
                                 f"{result.stdout}{result.stderr}")
        return result

    def start(self, program, *args):
        log = open(OUT / f"{Path(program).stem}-wine.log", "wb")
        with log:
            return subprocess.Popen(["wine", str(program), *args], env=self.env, stdout=log, stderr=log)

    def reg(self, *args, check=True):
        return self.run("reg", *args, check=check)

    def reg_values(self, key):
        """The values of a registry key, read back through an export file; None if there is no key."""
        export = OUT / "export.reg"
        if self.reg("export", key, f"Z:{export}".replace("/", "\\"), "/y", check=False).returncode != 0:
            return None
        text = export.read_bytes().decode("utf-16").replace("\r\n", "\n")
        return {m[0]: m[1].replace("\\\\", "\\").replace('\\"', '"')
                for m in re.findall(r'^"([^"]+)"="((?:[^"\\]|\\.)*)"$', text, re.M)}

    def colour(self, name):
        out = self.reg("query", r"HKCU\Control Panel\Colors", "/v", name).stdout
        return tuple(int(v) for v in re.search(name + r"\s+REG_SZ\s+(\d+ \d+ \d+)", out).group(1).split())

    def set_colour(self, name, rgb):
        self.reg("add", r"HKCU\Control Panel\Colors", "/v", name, "/d", " ".join(map(str, rgb)), "/f")

    def drive_c(self):
        """Every file and folder on C: but the temporary folders, as paths relative to C:."""
        root = self.prefix / "drive_c"
        return {str(p.relative_to(root)) for p in root.rglob("*") if "Temp" not in p.relative_to(root).parts}

    def windows_path(self, path):
        return "C:\\" + str(path.relative_to(self.prefix / "drive_c")).replace("/", "\\")

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=LIMIT, check=False)


WINE = None


def setUpModule():
    global WINE
    WINE = Wine(OUT)
    WINE.set_up()


def tearDownModule():
    if WINE:
        WINE.stop()


class WindowUnderWine:
    """tarnwick.exe started by wine, with its window found on the X server."""

    def __init__(self, program=None, *args):
        self.process = WINE.start(program or OUT / "cmake" / "tarnwick.exe", *args)
        try:
            self.window = int(wait_for(self._find, "the main window to be mapped", LIMIT))
        except AssertionError:
            self.process.kill()
            self.process.wait(timeout=LIMIT)
            raise
        self.x = xdisplay.Display()
        self.handle = self.x.create_resource_object("window", self.window)

    def _find(self):
        out = self.xdotool("search", "--onlyvisible", "--name", f"^{TITLE}$", check=False)
        return out.split()[0] if out.split() else None

    def xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=LIMIT,
                              check=check).stdout

    def size(self):
        geometry = self.handle.get_geometry()
        return geometry.width, geometry.height

    def pixel(self, x, y):
        b, g, r = self.handle.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF).data[:3]
        return r, g, b

    def copy_text(self, x, y):
        """What the text box at (x, y) holds: clicked, all selected, copied, and read off the clipboard."""
        self.xdotool("mousemove", "--window", str(self.window), str(x), str(y), "click", "1")
        self.xdotool("key", "--clearmodifiers", "ctrl+a", "ctrl+c")
        return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                              capture_output=True, timeout=LIMIT).stdout.decode("utf-8", "replace")

    def save_png(self, path):
        width, height = self.size()
        data = self.handle.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        rgb = bytearray(3 * width * height)  # from the server's BGRX
        rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
        rows = b"".join(b"\0" + bytes(rgb[3 * width * y:3 * width * (y + 1)]) for y in range(height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
        Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
                               + chunk(b"IEND", b""))

    def close(self):
        """Escape, the cancel key, ends the program: its window and process are gone within the limit."""
        try:
            self.xdotool("windowfocus", "--sync", str(self.window), "key", "Escape", check=False)
            self.process.wait(timeout=LIMIT)
            wait_for(lambda: not self._find(), "the window to close", LIMIT)
        finally:
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait(timeout=LIMIT)
            self.x.close()


class ProgramFile(unittest.TestCase):
    """tarnwick.exe as Windows will load it, and the portable zip that carries it."""

    @property
    def exe(self):
        return OUT / "cmake" / "tarnwick.exe"

    def test_imports_only_what_every_windows_10_has(self):
        header = run("x86_64-w64-mingw32-objdump", "-p", str(self.exe))
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", header)}
        self.assertIn("kernel32.dll", dlls)
        self.assertEqual(dlls - SYSTEM_DLLS, set())

    def test_is_a_stripped_64_bit_gui_program(self):
        header = run("x86_64-w64-mingw32-objdump", "-p", "-h", str(self.exe))
        magic = re.search(r"^Magic\s+\S+\s+\((.*)\)$", header, re.M).group(1)
        subsystem = re.search(r"^Subsystem\s+\S+\s+\((.*)\)$", header, re.M).group(1)
        self.assertEqual((magic, subsystem), ("PE32+", "Windows GUI"))
        self.assertIn("symbols stripped", header.split("Time/Date")[0])
        self.assertEqual(re.findall(r"^\s*\d+ (\.debug\S*)", header, re.M), [])

    def test_version_record_is_1_00_chinese_prc(self):
        rc = run("x86_64-w64-mingw32-windres", "-i", str(self.exe), "-O", "rc")
        self.assertRegex(rc, r"FILEVERSION 1, 0, 0, 0\s+PRODUCTVERSION 1, 0, 0, 0")
        strings = re.search(r'BLOCK "080404b0"\s+BEGIN(.*?)END', rc, re.S)  # Chinese (PRC), Unicode
        self.assertIsNotNone(strings, rc)
        self.assertRegex(strings.group(1), r'VALUE "FileVersion", "1\.00"')
        self.assertRegex(strings.group(1), r'VALUE "ProductVersion", "1\.00"')
        self.assertRegex(rc, r'VALUE "Translation", 0x804, 1200')

    def test_icon_is_the_programs_16_and_32_pixel_icon(self):
        group = subprocess.run(["wrestool", "-x", "-t", "14", str(self.exe)], capture_output=True, check=True,
                               timeout=LIMIT).stdout  # the icon group, rebuilt as an .ico file
        images = icon_images(group)
        self.assertEqual([(w, h, bits) for w, h, bits, _ in images], [(16, 16, 4), (32, 32, 4)])
        self.assertEqual(images, icon_images((SOURCE / "app" / "icons" / "tarnwick.ico").read_bytes()))

    def test_zip_holds_the_program_and_a_chinese_read_me(self):
        folder = f"tarnwick-{VERSION}"
        with zipfile.ZipFile(OUT / "dist" / f"tarnwick-{VERSION}-windows-x64.zip") as archive:
            self.assertEqual(sorted(archive.namelist()),
                             [f"{folder}/", f"{folder}/readme.txt", f"{folder}/tarnwick.exe"])
            self.assertEqual(archive.read(f"{folder}/tarnwick.exe"), self.exe.read_bytes())
            readme = archive.read(f"{folder}/readme.txt")
        # Notepad of any Windows 10 takes UTF-8 for UTF-8 only with the byte-order mark.
        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"))
        self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"))
        text = readme.decode("utf-8-sig")
        self.assertIn(f"{TITLE} {VERSION}", text)
        self.assertIn("64 位 Windows 10 1809", text)


class CoreTestsUnderWine(unittest.TestCase):
    def test_core_tests_pass(self):
        for name in ("tst_codetable", "tst_lookup", "tst_fixedtexts"):
            with self.subTest(name):
                result = WINE.run(OUT / "cmake" / f"{name}.exe", check=False, timeout=300, cwd=OUT / "cmake")
                totals = re.search(r"^Totals: (\d+) passed, (\d+) failed", result.stdout, re.M)
                self.assertIsNotNone(totals, f"exit code {result.returncode}, no results:\n{result.stdout}")
                self.assertEqual(result.returncode, 0, result.stdout)
                self.assertGreater(int(totals.group(1)), 0)
                self.assertEqual(totals.group(2), "0", result.stdout)


class WindowUnderWineTest(unittest.TestCase):
    def start(self):
        app = WindowUnderWine()
        self.addCleanup(app.close)
        return app

    def test_opens_at_its_client_size(self):
        app = self.start()  # found by its title
        self.assertEqual(app.size(), (249, 241))

    def test_ff_and_enter_show_the_ff_description(self):
        app = self.start()
        app.xdotool("windowfocus", "--sync", str(app.window))
        app.xdotool("type", "--delay", "20", "ff")
        app.xdotool("key", "Return")
        expected = description_of("FF")
        wait_for_value(lambda: app.copy_text(*RESULT_BOX), expected, "the FF description in the result box")
        app.xdotool("mousemove", "--window", str(app.window), "100", "180", "click", "1")  # unselected
        app.save_png(OUT / "windows.png")
        wait_for_value(lambda: app.copy_text(*CODE_BOX), "FF", "the code shown back as stored")

    def test_colours_follow_the_windows_scheme(self):
        # The window is painted in the button-face colour and the empty code box in the window colour,
        # as GetSysColor gives them: in wine's own scheme, and in one changed in the registry.
        changed = {"ButtonFace": (200, 220, 240), "Window": (255, 250, 205)}
        for scheme in ("wine's own", "changed"):
            with self.subTest(scheme):
                if scheme == "changed":
                    for name, rgb in changed.items():
                        self.addCleanup(WINE.set_colour, name, WINE.colour(name))
                        WINE.set_colour(name, rgb)
                expected = {name: WINE.colour(name) for name in changed}
                app = WindowUnderWine()
                try:
                    wait_for_value(lambda: {"ButtonFace": app.pixel(3, 3), "Window": app.pixel(214, 25)},
                                   expected, "the scheme's colours")
                finally:
                    app.close()


class Installer(unittest.TestCase):
    @property
    def installer(self):
        return OUT / "dist" / f"tarnwick-{VERSION}-windows-x64-installer.exe"

    def test_installs_silently_and_uninstalls_completely(self):
        drive_c = WINE.prefix / "drive_c"
        profile = next(p for p in (drive_c / "users").iterdir() if p.name != "Public")
        modes = {
            "AllUsers": ("HKLM", drive_c / "Program Files" / "tarnwick", drive_c / "ProgramData"),
            "CurrentUser": ("HKCU", profile / "AppData" / "Local" / "Programs" / "tarnwick",
                            profile / "AppData" / "Roaming"),
        }
        for mode, (hive, folder, menu_root) in modes.items():
            with self.subTest(mode):
                before = WINE.drive_c()
                shortcut = menu_root / "Microsoft" / "Windows" / "Start Menu" / "Programs" / f"{TITLE}.lnk"
                WINE.run(self.installer, "/S", f"/{mode}")

                built = (OUT / "cmake" / "tarnwick.exe").read_bytes()
                self.assertEqual((folder / "tarnwick.exe").read_bytes(), built)
                self.assertTrue((folder / "readme.txt").is_file())
                program = WINE.windows_path(folder / "tarnwick.exe")
                self.assertEqual(shortcut_paths(shortcut.read_bytes()), (program, program))
                values = WINE.reg_values(f"{hive}\\{UNINSTALL_KEY}")
                self.assertEqual(values["DisplayName"], TITLE)
                self.assertEqual(values["DisplayVersion"], VERSION)
                # The Start-menu entry opens the window.
                app = WindowUnderWine("start", "/unix", str(shortcut))
                app.close()

                # As a tool would run it from the entry in Settings > Apps.
                command = re.fullmatch(r'"([^"]+)" (.*)', values["QuietUninstallString"])
                WINE.run(command[1], *command[2].split())
                # The uninstaller runs on from a copy of itself in the temporary folder.
                wait_for(lambda: not folder.exists() and not shortcut.exists(), "the uninstaller to finish", LIMIT)
                self.assertIsNone(WINE.reg_values(f"{hive}\\{UNINSTALL_KEY}"))
                # The per-user programs folder is Windows' own, made for whichever program comes first.
                self.assertEqual(WINE.drive_c() - before - {str(folder.parent.relative_to(drive_c))}, set())

    def test_window_title_is_chinese(self):
        setup = WINE.start(self.installer)
        try:
            wait_for(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE} 安装"],
                                            capture_output=True, timeout=LIMIT).stdout.strip(),
                     "the installer's window with its Chinese title", LIMIT)
        finally:
            setup.kill()
            setup.wait(timeout=LIMIT)

    def test_refuses_windows_8_1(self):
        self.addCleanup(WINE.reg, "add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win10", "/f")
        WINE.reg("add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win81", "/f")
        before = WINE.drive_c()
        result = WINE.run(self.installer, "/S", check=False)
        self.assertEqual(result.returncode, 2)  # NSIS: the installer's own check stopped it
        self.assertEqual(WINE.drive_c(), before)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: test_windows.py BUILD_WINDOWS_DIR [unittest arguments]")
    OUT = Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)

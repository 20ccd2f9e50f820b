"""The Windows program checked from Debian: its file, its link, what it ships with, the relink kit, the
real window and the installer, under wine on a desktop of its own (tests/e2e/desktop.py).

Run by CTest in the Windows build (scripts/windows.sh --check), which names the program, the probe of
its texts, the wine prefix (made by the wine_prefix test), the packed files and the Qt it was linked
with. Keys go in through xdotool, text comes back through the clipboard and colours from the painted
window, as a person would see them.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
from desktop import TITLE, Display, Picture, Tarnwick, program_texts, wait_for  # noqa: E402

EXE = Path(os.environ["TARNWICK"])
DIST = Path(os.environ["DIST"])
VERSION = "1.00"
LIMIT = 60.0  # seconds for one wine program to do its part; a first start in a prefix is the slowest
WINE = [str(SOURCE / "tests" / "windows" / "wine.sh"), os.environ["WINE_PREFIX"]]
DRIVE_C = Path(os.environ["WINE_PREFIX"]) / "drive_c"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\tarnwick"
# What goes beside tarnwick.exe in the zip and the installed folder.
BESIDE = ["readme.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "LGPL-3.0.txt", "GPL-3.0.txt", "SOURCES.txt"]

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

# Third-party code inside Qt and the runtime, by the member of the link that carries it, and a name the
# notices must give it. Any other bundled library of Qt (libQt6Bundled*.a) must be named by its own name.
CARRIED_BY = {
    r"libQt6Core\.a\(.*\.cc\.obj\)": ["double-conversion"],
    r"\(qeasingcurve\.cpp\.obj\)": ["Easing Equations"],
    r"\(md4c\.c\.obj\)": ["MD4C"],
    r"\(qcborstream(reader|writer)\.cpp\.obj\)": ["TinyCBOR"],
    r"\(qcryptographichash\.cpp\.obj\)": ["MD4", "MD5", "SHA-1", "SHA-3", "brg_endian", "SHA-384", "BLAKE2"],
    r"\(qhash\.cpp\.obj\)": ["SipHash"],
    r"\(qstring\.cpp\.obj\)": ["Unicode Character Database"],
    r"\((qlocale|qtimezoneprivate)\.cpp\.obj\)": ["Common Locale Data Repository"],
    r"qrc_qpdf\.cpp\.obj": ["sRGB"],
    r"\(qgrayraster\.c\.obj\)": ["FreeType"],
    r"\(qregion\.cpp\.obj\)": ["X Consortium"],
    r"\(qimagescale\.cpp\.obj\)": ["Imlib2"],
    r"/crt2\.o|libmingw32\.a\(": ["mingw-w64"],
    r"libmingwex\.a\(lib64_libmingwex_a-(gdtoa|strtodg|misc|gethex|hexnan|smisc)\.o\)": ["gdtoa", "Lucent"],
    r"libmingwex\.a\(lib64_libmingwex_a-mingw_pformat\.o\)": ["Keith Marshall"],
    r"lib(win)?pthread\.a\(": ["winpthreads"],
}


def run(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, timeout=LIMIT * 5, **kw).stdout


def wine(*args, check=True, timeout=LIMIT):
    result = subprocess.run([*WINE, *map(str, args)], env=DESKTOP.env, capture_output=True, timeout=timeout)
    result.stdout, result.stderr = (s.decode("utf-8", "replace") for s in (result.stdout, result.stderr))
    if check and result.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, args))} exited with {result.returncode}:\n"
                             f"{result.stdout}{result.stderr}")
    return result


def linked(map_file):
    """The archive members and object files a link took in, as its map lists them."""
    text = Path(map_file).read_text(errors="replace")
    members = re.findall(r"^(\S+\.a\([^)]*\))", text.split("Discarded input sections")[0], re.M)
    return members + re.findall(r"^LOAD (\S+\.o(?:bj)?)$", text, re.M)


def resources(exe):
    """Each resource of a Windows program (type, name, language) with its data."""
    listing = run("wrestool", "-l", str(exe))
    found = {}
    for line in listing.splitlines():
        kind, name, lang = (re.search(rf"--{field}=(\S+)", line) for field in ("type", "name", "language"))
        key = (kind.group(1), name.group(1), lang.group(1) if lang else "")
        found[key] = subprocess.run(["wrestool", "-x", "--raw", f"--type={key[0]}", f"--name={key[1]}",
                                     str(exe)], capture_output=True, check=True, timeout=LIMIT).stdout
    return found


def icon_images(data):
    """(width, height, bits per pixel, image bytes) of each image of an .ico file."""
    images = []
    for i in range(struct.unpack_from("<H", data, 4)[0]):
        width, height, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((width, height, bits, data[offset:offset + length]))
    return images


def plugins(map_file):
    return sorted({Path(m.split("(")[0]).name for m in linked(map_file) if "/plugins/" in m})


def windows_text(data):
    """A text file as Notepad of any Windows 10 reads it: UTF-8 with a byte-order mark, CR LF lines."""
    assert data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    assert data.count(b"\n") == data.count(b"\r\n"), "a line ends without CR"
    return data.decode("utf-8-sig").replace("\r\n", "\n")


DESKTOP = None
TEXTS = None


def setUpModule():
    global DESKTOP, TEXTS
    DESKTOP = Display()
    unittest.addModuleCleanup(DESKTOP.close)  # also where the rest of this set-up fails
    # One wine server for this module, on its desktop: whatever ran in the prefix before goes first, and
    # this one goes before its desktop does.
    wine("--stop", check=False)
    unittest.addModuleCleanup(wine, "--stop", check=False)
    TEXTS = program_texts(os.environ["SLOTPROBE"], WINE, DESKTOP.env)


def start(test, program=EXE, *args):
    app = Tarnwick(DESKTOP, str(program), args=args, launcher=WINE)
    test.addCleanup(app.kill)
    return app


def copied(app):
    """What the focused box holds: all selected, copied, read back from the clipboard."""
    app.keys("ctrl+a", "ctrl+c")
    return app.clipboard()


def answers_ff(app):
    app.focus()
    app.type("ff")
    app.keys("Return")
    # The focus stays in the code box; the result box is before it in the tab order.
    wait_for(lambda: copied(app) == "FF", "the code shown back as stored", LIMIT)
    app.keys("shift+Tab")
    wait_for(lambda: copied(app) == TEXTS["rows"]["FF"], "the FF description", LIMIT)


class ProgramFile(unittest.TestCase):
    """tarnwick.exe as Windows will load it, and what its link took in."""

    def test_is_a_stripped_64_bit_gui_program_without_foreign_dlls_or_data(self):
        header = run("x86_64-w64-mingw32-objdump", "-p", "-h", str(EXE))
        magic = re.search(r"^Magic\s+\S+\s+\((.*)\)$", header, re.M).group(1)
        subsystem = re.search(r"^Subsystem\s+\S+\s+\((.*)\)$", header, re.M).group(1)
        self.assertEqual((magic, subsystem), ("PE32+", "Windows GUI"))
        self.assertIn("symbols stripped", header.split("Time/Date")[0])
        sections = re.findall(r"^\s*\d+ (\.\S+)", header, re.M)
        self.assertEqual([s for s in sections if s.startswith(".debug")], [])
        # Qt's MIME database is GPL data that tarnwick's terms could not carry.
        self.assertNotIn(".qtmimed", sections)
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", header)}
        self.assertIn("kernel32.dll", dlls)
        self.assertEqual(dlls - SYSTEM_DLLS, set())

    def test_version_record_is_1_00_chinese_prc_and_icon_is_the_programs(self):
        rc = run("x86_64-w64-mingw32-windres", "-i", str(EXE), "-O", "rc")
        self.assertRegex(rc, r"FILEVERSION 1, 0, 0, 0\s+PRODUCTVERSION 1, 0, 0, 0")
        strings = re.search(r'BLOCK "080404b0"\s+BEGIN(.*?)END', rc, re.S)  # Chinese (PRC), Unicode
        self.assertIsNotNone(strings, rc)
        self.assertRegex(strings.group(1), r'VALUE "FileVersion", "1\.00"')
        self.assertRegex(strings.group(1), r'VALUE "ProductVersion", "1\.00"')
        # The icon group, rebuilt as an .ico file, is the program's icon file: its 16 and 32 px images.
        group = subprocess.run(["wrestool", "-x", "-t", "14", str(EXE)], capture_output=True, check=True,
                               timeout=LIMIT).stdout
        icon = (SOURCE / "app" / "icons" / "tarnwick.ico").read_bytes()
        self.assertEqual([(w, h, bits) for w, h, bits, _ in icon_images(group)], [(16, 16, 4), (32, 32, 4)])
        self.assertEqual(icon_images(group), icon_images(icon))

    def test_notices_name_every_part_the_link_took_in(self):
        notices = (DIST / f"tarnwick-{VERSION}" / "THIRD-PARTY-NOTICES.txt").read_bytes().decode("utf-8-sig")
        members = linked(EXE.parent / "tarnwick.map")
        wanted = {"Qt": "libQt6Core.a"}
        for member in members:
            bundled = re.search(r"libQt6Bundled(\w+)\.a\(", member)
            if bundled:
                wanted[bundled.group(1)] = member
            for pattern, names in CARRIED_BY.items():
                if re.search(pattern, member):
                    wanted.update((name, member) for name in names)
        self.assertIn("libQt6BundledHarfbuzz.a", " ".join(members), "the map lists what was linked")
        missing = {name: member for name, member in wanted.items() if name.lower() not in notices.lower()}
        self.assertEqual(missing, {}, "parts of tarnwick.exe that THIRD-PARTY-NOTICES.txt does not name")


class Packed(unittest.TestCase):
    """The zip, the relink kit, and the files they carry."""

    def test_zip_holds_the_program_with_its_terms_notices_and_sources(self):
        folder = f"tarnwick-{VERSION}"
        with zipfile.ZipFile(DIST / f"tarnwick-{VERSION}-windows-x64.zip") as archive:
            self.assertEqual(sorted(archive.namelist()),
                             sorted([f"{folder}/", f"{folder}/tarnwick.exe"] + [f"{folder}/{f}" for f in BESIDE]))
            self.assertEqual(archive.read(f"{folder}/tarnwick.exe"), EXE.read_bytes())
            texts = {name: windows_text(archive.read(f"{folder}/{name}")) for name in BESIDE}
        self.assertEqual(texts["LICENSE.txt"], (SOURCE / "LICENSE.txt").read_text(encoding="utf-8"))
        self.assertIn("GNU LESSER GENERAL PUBLIC LICENSE", texts["LGPL-3.0.txt"])
        self.assertIn("GNU GENERAL PUBLIC LICENSE", texts["GPL-3.0.txt"])
        self.assertIn("4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e", texts["SOURCES.txt"])
        self.assertIn(f"tarnwick-{VERSION}-windows-relink.zip", texts["SOURCES.txt"])
        # The read-me names the files beside it, in one line.
        self.assertTrue(any(all(f in line for f in BESIDE[1:]) for line in texts["readme.txt"].splitlines()))

    def test_relink_kit_links_the_same_program_with_the_qt_named(self):
        work = Path(tempfile.mkdtemp(prefix="tarnwick-relink-"))
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        with zipfile.ZipFile(DIST / f"tarnwick-{VERSION}-windows-relink.zip") as archive:
            archive.extractall(work)
        (kit,) = work.iterdir()
        for name in ["LICENSE.txt", "LGPL-3.0.txt", "GPL-3.0.txt", "README.txt"]:
            windows_text((kit / name).read_bytes())
        run("cmake", "-S", str(kit), "-B", str(kit / "build"), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
            f"-DCMAKE_TOOLCHAIN_FILE={os.environ['QT_TOOLCHAIN']}",
            f"-DQT_CHAINLOAD_TOOLCHAIN_FILE={kit / 'qt' / 'mingw64-toolchain.cmake'}")
        run("cmake", "--build", str(kit / "build"))
        relinked = kit / "build" / "tarnwick.exe"
        self.assertEqual(resources(relinked), resources(EXE))
        self.assertEqual(plugins(kit / "build" / "tarnwick.map"), plugins(EXE.parent / "tarnwick.map"))
        self.assertTrue(plugins(EXE.parent / "tarnwick.map"))
        answers_ff(start(self, relinked))


class WindowUnderWine(unittest.TestCase):
    def test_opens_at_its_size_and_answers_ff(self):
        app = start(self)
        picture = Picture(DESKTOP.name, app.window)
        self.assertEqual((picture.width, picture.height), (249, 241))
        answers_ff(app)
        if os.environ.get("TARNWICK_SCREENSHOT"):  # docs/windows.png, by scripts/screenshot.sh --windows
            app.keys("Tab")  # nothing selected
            DESKTOP.run(os.environ["GRABWINDOW"], str(app.window), os.environ["TARNWICK_SCREENSHOT"])

    def test_colours_follow_the_windows_scheme(self):
        # The window is painted in the button-face colour and the empty code box in the window colour,
        # as GetSysColor gives them: in wine's own scheme, and in one changed in the registry.
        key = r"HKCU\Control Panel\Colors"

        def colour(name):
            out = wine("reg", "query", key, "/v", name).stdout
            return tuple(int(v) for v in re.search(name + r"\s+REG_SZ\s+(\d+ \d+ \d+)", out).group(1).split())

        def set_colour(name, rgb):
            wine("reg", "add", key, "/v", name, "/d", " ".join(map(str, rgb)), "/f")
        for scheme, changed in (("wine's own", {}), ("changed", {"ButtonFace": (200, 220, 240),
                                                                 "Window": (255, 250, 205)})):
            with self.subTest(scheme):
                for name, rgb in changed.items():
                    self.addCleanup(set_colour, name, colour(name))
                    set_colour(name, rgb)
                face, window = colour("ButtonFace"), colour("Window")
                app = start(self)

                def painted():
                    picture = Picture(DESKTOP.name, app.window)
                    counts = {}
                    for y in range(picture.height):
                        for x in range(0, picture.width, 3):
                            counts[picture.pixel(x, y)] = counts.get(picture.pixel(x, y), 0) + 1
                    return max(counts, key=counts.get) == face and window in counts
                wait_for(painted, f"the window in {face} with a box in {window}", LIMIT)
                app.kill()


class Installer(unittest.TestCase):
    installer = DIST / f"tarnwick-{VERSION}-windows-x64-installer.exe"

    def drive_c(self):
        """Every file and folder on C: but the temporary folders, as paths relative to C:."""
        return {str(p.relative_to(DRIVE_C)) for p in DRIVE_C.rglob("*") if "Temp" not in p.relative_to(DRIVE_C).parts}

    def reg_values(self, key):
        """The values of a registry key, read back through an export file; None if there is no key."""
        export = Path(tempfile.mkdtemp(prefix="tarnwick-reg-")) / "export.reg"
        self.addCleanup(shutil.rmtree, export.parent)
        if wine("reg", "export", key, f"Z:{export}".replace("/", "\\"), "/y", check=False).returncode != 0:
            return None
        text = export.read_bytes().decode("utf-16").replace("\r\n", "\n")
        return {m[0]: m[1].replace("\\\\", "\\").replace('\\"', '"')
                for m in re.findall(r'^"([^"]+)"="((?:[^"\\]|\\.)*)"$', text, re.M)}

    def test_installs_silently_with_its_notices_and_uninstalls_completely(self):
        profile = next(p for p in (DRIVE_C / "users").iterdir() if p.name != "Public")
        modes = {
            "AllUsers": ("HKLM", DRIVE_C / "Program Files" / "tarnwick", DRIVE_C / "ProgramData"),
            "CurrentUser": ("HKCU", profile / "AppData" / "Local" / "Programs" / "tarnwick",
                            profile / "AppData" / "Roaming"),
        }
        for mode, (hive, folder, menu_root) in modes.items():
            with self.subTest(mode):
                before = self.drive_c()
                shortcut = menu_root / "Microsoft" / "Windows" / "Start Menu" / "Programs" / f"{TITLE}.lnk"
                wine(self.installer, "/S", f"/{mode}")

                packed = DIST / f"tarnwick-{VERSION}"
                self.assertEqual(sorted(p.name for p in folder.iterdir()),
                                 sorted(["tarnwick.exe", "uninstall.exe"] + BESIDE))
                for name in ["tarnwick.exe"] + BESIDE:
                    self.assertEqual((folder / name).read_bytes(), (packed / name).read_bytes(), name)
                # The shortcut holds the installed program as its target (ANSI) and its icon (UTF-16).
                program = "C:\\" + str((folder / "tarnwick.exe").relative_to(DRIVE_C)).replace("/", "\\")
                link = shortcut.read_bytes()
                self.assertIn(program.encode("ascii"), link)
                self.assertIn(program.encode("utf-16-le"), link)
                values = self.reg_values(f"{hive}\\{UNINSTALL_KEY}")
                self.assertEqual(values["DisplayName"], TITLE)
                self.assertEqual(values["DisplayVersion"], VERSION)
                start(self, "start", "/unix", shortcut).kill()  # the Start-menu entry opens the window

                # As a tool would run it from the entry in Settings > Apps.
                command = re.fullmatch(r'"([^"]+)" (.*)', values["QuietUninstallString"])
                wine(command[1], *command[2].split())
                # The uninstaller runs on from a copy of itself in the temporary folder.
                wait_for(lambda: not folder.exists() and not shortcut.exists(), "the uninstaller to finish", LIMIT)
                self.assertIsNone(self.reg_values(f"{hive}\\{UNINSTALL_KEY}"))
                # The per-user programs folder is Windows' own, made for whichever program comes first.
                self.assertEqual(self.drive_c() - before - {str(folder.parent.relative_to(DRIVE_C))}, set())

    def test_window_title_is_chinese(self):
        setup = DESKTOP.popen([*WINE, str(self.installer)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(setup.wait, LIMIT)
        self.addCleanup(setup.kill)
        wait_for(lambda: DESKTOP.run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE} 安装", check=False),
                 "the installer's window with its Chinese title", LIMIT)

    def test_refuses_windows_8_1(self):
        self.addCleanup(wine, "reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win10", "/f")
        wine("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", "win81", "/f")
        before = self.drive_c()
        self.assertEqual(wine(self.installer, "/S", check=False).returncode, 2)  # the installer's own check
        self.assertEqual(self.drive_c(), before)


if __name__ == "__main__":
    unittest.main(verbosity=2)

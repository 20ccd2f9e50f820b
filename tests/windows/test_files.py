"""The Windows program's files checked from Debian: both builds of tarnwick.exe as Windows XP will load
them, the notices against what the link took in, the zip, and the installer and uninstaller under wine.

Run by scripts/windows.sh --check, which names the two programs (TARNWICK32, TARNWICK64), the packed
files (DIST) and a folder for the wine prefixes (WINE_PREFIXES). The installer runs in a 64-bit prefix
playing Windows 10 and a 32-bit one playing Windows XP, on a desktop of its own (tests/e2e/desktop.py).
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
from xml.etree import ElementTree

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
from desktop import (NO_32_BIT, NO_WINE, TITLE, Display, Tarnwick, WinePrefix, processes_with_env,  # noqa: E402
                     runs_32_bit_programs, send_close_box, settled_picture, wait_for, window_reader)

PROGRAM = {"i686": Path(os.environ["TARNWICK32"]), "x86_64": Path(os.environ["TARNWICK64"])}
DIST = Path(os.environ["DIST"])
VERSION = "1.00"
LIMIT = 60.0  # seconds for one wine program to do its part; a first start in a prefix is the slowest
BESIDE = ["readme.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"]  # what goes beside tarnwick.exe
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\tarnwick"

# Everything the programs may import, DLL by DLL, each checked to be in Windows XP SP3: the documented
# minimum client of every user32, gdi32 and kernel32 function is Windows 2000 or XP (InitCommonControlsEx's
# page says Vista, but names comctl32 4.70, which XP has; __C_specific_handler is the x64 kernel32's own),
# and msvcrt.dll's are in the msvcrt.dll of NT 4.0, or of XP for the 64-bit __iob_func, as mingw-w64's
# msvcrt.def records the versions. The compiler flags cannot promise this (the static runtime's imports
# are not checked against _WIN32_WINNT): a new import fails here until it has been checked the same way.
XP_SP3 = {
    "comctl32.dll": "InitCommonControlsEx",
    "gdi32.dll": """CreateFontIndirectW CreateSolidBrush DeleteObject EnumFontFamiliesExW GetCurrentObject
        GetDeviceCaps GetGlyphOutlineW GetTextExtentExPointW GetTextExtentPoint32W GetTextMetricsW SelectObject
        SetBkColor SetBkMode SetTextAlign SetTextColor TextOutW""",
    "kernel32.dll": """DeleteCriticalSection EnterCriticalSection FreeLibrary GetLastError GetModuleHandleA
        GetModuleHandleW GetProcAddress GetProcessHeap GetStartupInfoW GetSystemDirectoryW HeapAlloc HeapFree
        InitializeCriticalSection LeaveCriticalSection LoadLibraryA LoadLibraryW MulDiv SetUnhandledExceptionFilter Sleep TlsGetValue
        VirtualProtect VirtualQuery lstrcpynW __C_specific_handler""",
    "msvcrt.dll": """__iob_func __p__commode __p__fmode __p__wcmdln __set_app_type __setusermatherr __wgetmainargs
        __winitenv _amsg_exit _cexit _commode _errno _fmode _initterm _iob _onexit _wcmdln abort calloc exit
        fprintf fputs free fwrite malloc memcmp memcpy memmove signal strlen strncmp vfprintf""",
    "user32.dll": """AdjustWindowRectEx CallWindowProcW CharLowerBuffW CreateWindowExW DefWindowProcW DeleteMenu
        DestroyWindow DispatchMessageW FillRect GetClientRect GetDC GetDlgCtrlID GetFocus GetKeyState GetMessageW
        GetMonitorInfoW GetParent GetSysColor GetSystemMenu GetSystemMetrics GetWindowLongPtrW GetWindowLongW
        GetWindowTextLengthW GetWindowTextW InvalidateRect IsChild IsDialogMessageW LoadCursorW LoadImageW
        MessageBoxW MonitorFromPoint MonitorFromWindow MoveWindow PostQuitMessage RedrawWindow RegisterClassExW
        ReleaseDC SendMessageW SetFocus SetWindowLongPtrW SetWindowLongW SetWindowPos SetWindowTextW ShowWindow
        SystemParametersInfoW TranslateMessage UpdateWindow""",
}

# For each library a link may take members from, the names the notices must give it. A member of any
# other library fails the check: the notices (app/windows/notices.py) must learn it first.
PARTS = [
    (r"^(app|core|ui)/", []),  # tarnwick's own
    (r"/lib(mingw32|mingwex|msvcrt|moldname|kernel32|user32|gdi32|comctl32)\.a\(|/crt2u?\.o$", ["MinGW-w64"]),
    # gdtoa, the number conversions of printf and strtod, and printf's formatting
    (r"/libmingwex\.a\(\w+-(dmisc|dtoa|g_+\w*fmt|gdtoa|gethex|gmisc|hd_init|hexnan|misc|smisc|strtodg|strtopx|sum"
     r"|ulp)\.o\)", ["Lucent Technologies"]),
    (r"/libmingwex\.a\(\w+-(qnan|strtodnrp)\.o\)", ["David M. Gay"]),
    (r"/libmingwex\.a\(\w+-mingw_pformat\.o\)", ["Keith Marshall"]),
    (r"/libgcc(_eh)?\.a\(|/crt(begin|end)\.o$", ["libgcc", "GCC RUNTIME LIBRARY EXCEPTION"]),
    (r"/libstdc\+\+\.a\(", ["libstdc++", "GCC RUNTIME LIBRARY EXCEPTION"]),
]


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, timeout=LIMIT).stdout


def linked(map_file):
    """The archive members and object files a link took in, as its map lists them."""
    text = Path(map_file).read_text(errors="replace")
    members = re.findall(r"^(\S+\.a\([^)]*\))$", text.split("Discarded input sections")[0], re.M)
    return members + re.findall(r"^LOAD (\S+\.o(?:bj)?)$", text, re.M)


def icon_images(data):
    """(width, height, bits per pixel, image bytes) of each image of an .ico file."""
    images = []
    for i in range(struct.unpack_from("<H", data, 4)[0]):
        width, height, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((width, height, bits, data[offset:offset + length]))
    return images


def windows_text(data):
    """A text file as Notepad of any Windows reads it: UTF-8 with a byte-order mark, CR LF lines."""
    assert data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    assert data.count(b"\n") == data.count(b"\r\n"), "a line ends without CR"
    return data.decode("utf-8-sig").replace("\r\n", "\n")


class Programs(unittest.TestCase):
    """tarnwick.exe, 32- and 64-bit, as the loader of Windows XP sees it."""

    def test_is_a_small_stripped_gui_program_for_windows_xp(self):
        for arch, (magic, subsystem) in {"i686": ("PE32", "5.01"), "x86_64": ("PE32+", "5.02")}.items():
            with self.subTest(arch):
                header = run(f"{arch}-w64-mingw32-objdump", "-p", PROGRAM[arch]).decode()
                field = {name: value for name, value in re.findall(r"^(\w+)\s+(.*)$", header, re.M)}
                self.assertEqual(field["Magic"].split()[-1], f"({magic})")
                self.assertTrue(field["Subsystem"].endswith("(Windows GUI)"))
                self.assertEqual(f"{field['MajorSubsystemVersion']}.{int(field['MinorSubsystemVersion']):02}",
                                 subsystem)
                self.assertIn("symbols stripped", header.split("Time/Date")[0])
                self.assertLessEqual(PROGRAM[arch].stat().st_size, 200 * 1024)
                imports = {}
                for dll, names in re.findall(r"DLL Name: (\S+)\n\s*vma:.*\n((?:\s+[0-9a-f]+\s+\d+\s+\S+\n)*)", header):
                    imports.setdefault(dll.lower(), set()).update(re.findall(r"\d+\s+(\S+)\n", names))
                self.assertIn("kernel32.dll", imports)
                foreign = {f"{dll}!{name}" for dll, names in imports.items() for name in names
                           if name not in XP_SP3.get(dll, "").split()}
                self.assertEqual(foreign, set(), "imports that Windows XP SP3 may lack")

    def test_resources_are_version_1_00_chinese_the_icon_and_visual_styles(self):
        icon = (SOURCE / "app" / "icons" / "tarnwick.ico").read_bytes()
        for arch, program in PROGRAM.items():
            with self.subTest(arch):
                rc = run(f"{arch}-w64-mingw32-windres", "-i", program, "-O", "rc").decode()
                self.assertRegex(rc, r"FILEVERSION 1, 0, 0, 0\s+PRODUCTVERSION 1, 0, 0, 0")
                strings = re.search(r'BLOCK "080404b0"\s+BEGIN(.*?)END', rc, re.S)  # Chinese (PRC), Unicode
                self.assertIsNotNone(strings, rc)
                self.assertRegex(strings.group(1), r'VALUE "FileVersion", "1\.00"')
                self.assertRegex(strings.group(1), r'VALUE "ProductVersion", "1\.00"')
                # The icon group, rebuilt as an .ico file, holds the 16 and 32 px 16-colour images of the
                # program's icon file.
                group = icon_images(run("wrestool", "-x", "-t", "14", program))
                self.assertEqual([(w, h, bits) for w, h, bits, _ in group], [(16, 16, 4), (32, 32, 4)])
                self.assertEqual(group, icon_images(icon))
                manifest = ElementTree.fromstring(run("wrestool", "-x", "--raw", "-t", "24", program))
                ns = "{urn:schemas-microsoft-com:asm.v1}"
                wanted = {a.attrib["name"]: a.attrib["version"]
                          for a in manifest.iter(f"{ns}assemblyIdentity") if a.attrib.get("publicKeyToken")}
                self.assertEqual(wanted, {"Microsoft.Windows.Common-Controls": "6.0.0.0"})


class Shipped(unittest.TestCase):
    folder = f"tarnwick-{VERSION}"

    def test_notices_name_every_part_the_link_took_in(self):
        notices = (DIST / self.folder / "THIRD-PARTY-NOTICES.txt").read_bytes().decode("utf-8-sig")
        members = linked(PROGRAM["i686"].parent / "tarnwick.map")
        self.assertTrue(any("libmingw32.a(" in m for m in members), "the map lists what was linked")
        unknown = [m for m in members if not any(re.search(pattern, m) for pattern, _ in PARTS)]
        self.assertEqual(unknown, [], "members of libraries that the notices do not know")
        missing = {(name, member) for member in members for pattern, names in PARTS if re.search(pattern, member)
                   for name in names if name not in notices}
        self.assertEqual(missing, set(), "parts of tarnwick.exe that THIRD-PARTY-NOTICES.txt does not name")
        self.assertNotIn("Qt", notices)

    def test_zip_holds_the_32_bit_program_and_its_three_texts(self):
        with zipfile.ZipFile(DIST / f"tarnwick-{VERSION}-windows.zip") as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(
                [f"{self.folder}/", f"{self.folder}/tarnwick.exe"] + [f"{self.folder}/{f}" for f in BESIDE]))
            self.assertEqual(archive.read(f"{self.folder}/tarnwick.exe"), PROGRAM["i686"].read_bytes())
            texts = {name: windows_text(archive.read(f"{self.folder}/{name}")) for name in BESIDE}
        self.assertEqual(texts["LICENSE.txt"], (SOURCE / "LICENSE.txt").read_text(encoding="utf-8"))
        # The read-me names the files beside it, in one line.
        self.assertTrue(any(all(f in line for f in BESIDE) for line in texts["readme.txt"].splitlines()))


class Prefix(WinePrefix):
    """A prefix for the installer: its files, paths and uninstall entries, and a reader for its pages."""

    def __init__(self, name, arch, version):
        super().__init__(DESKTOP, Path(os.environ["WINE_PREFIXES"]) / name, arch, version, READER)
        self.drive_c = Path(self.path) / "drive_c"
        # NSIS's Chinese pages ask for 宋体, which wine's prefixes lack: as on Windows, a Chinese face stands
        # in (the registry file is UTF-16, so that the names reach the registry whatever the locale).
        fonts = self.drive_c / "fonts.reg"
        fonts.write_bytes("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\"
                          "Replacements]\r\n\"宋体\"=\"WenQuanYi Zen Hei\"\r\n\"SimSun\"=\"WenQuanYi Zen Hei\"\r\n"
                          .encode("utf-16"))
        self.wine("reg", "import", "C:\\fonts.reg")
        fonts.unlink()

    def files(self):
        """Every file and folder on C: but the temporary folders, as paths relative to C:."""
        return {p.relative_to(self.drive_c) for p in self.drive_c.rglob("*")
                if "Temp" not in p.relative_to(self.drive_c).parts}

    def unix(self, path):
        return self.drive_c / path.removeprefix("C:\\").replace("\\", "/")

    def uninstall_entry(self, hive):
        """The installer's entry in the 32-bit registry view, as {name: text}; None where there is none."""
        with tempfile.TemporaryDirectory(prefix="tarnwick-reg-") as folder:
            export = Path(folder) / "entry.reg"
            if self.wine("reg", "export", f"{hive}\\{UNINSTALL_KEY}", "Z:" + str(export).replace("/", "\\"),
                         "/y", "/reg:32", check=False).returncode != 0:
                return None
            text = export.read_bytes().decode("utf-16").replace("\r\n", "\n")
        return {m[0]: m[1].replace("\\\\", "\\").replace('\\"', '"')
                for m in re.findall(r'^"([^"]+)"="((?:[^"\\]|\\.)*)"$', text, re.M)}


# What the installer's run is traced with: every line with its process's id, then its thread's (+pid), and
# what the shell is asked to do (+shell).
SHELL_TRACE = "+pid,+shell"


def shell_starts(*logs):
    """(process, program, show) for each program the shell's dispatch object (IShellDispatch2::ShellExecute)
    was asked to start, from wine's SHELL_TRACE in the logs: the id of the process that asked, None where the
    line names no process; an empty show is 0, as the shell takes it."""
    starts = []
    for log in logs:
        log.seek(0)
        for m in re.finditer(r'^(?:([0-9a-f]+):)?[0-9a-f]+:trace:shell:ShellDispatch_ShellExecute '
                             r'\(L"((?:[^"\\]|\\.)*)".*(\{[^{}]*\})\)$', log.read(), re.M):
            show = re.fullmatch(r"\{VT_\w+: (-?\d+)\}", m[3])
            starts.append((m[1] and int(m[1], 16), m[2].replace("\\\\", "\\"), int(show[1]) if show else 0))
    return starts


DESKTOP = READER = None
PREFIXES = {}
PAGES = Path(os.environ["WINE_PREFIXES"]).parent / "installer-pages"  # a picture of each page, for a person
BUTTON = re.compile(r"\[([^\[\]()]+)\((\w)\)((?:\.\.\.)?)\]")  # a button named in a text: [浏览(B)...]


def each_prefix_and_mode():
    """(system, prefix, its Program Files folder, mode, the hive of the entry) for each prefix and mode."""
    return [(system, prefix, program_files, mode, hive) for system, (prefix, program_files) in PREFIXES.items()
            for mode, hive in (("AllUsers", "HKLM"), ("CurrentUser", "HKCU"))]


@unittest.skipIf(NO_WINE, f"the installer runs under wine, and {NO_WINE}")
@unittest.skipUnless(runs_32_bit_programs(), f"the installer is a 32-bit program, and {NO_32_BIT}")
class Installer(unittest.TestCase):
    """The installer and its uninstaller as a user meets them: silent (/S), and through their pages."""

    installer = DIST / f"tarnwick-{VERSION}-windows-installer.exe"

    @classmethod
    def setUpClass(cls):
        global DESKTOP, READER
        DESKTOP = Display()
        unittest.addModuleCleanup(DESKTOP.close)  # also where the rest of this set-up fails, after the prefixes
        work = tempfile.mkdtemp(prefix="tarnwick-reader-")
        unittest.addModuleCleanup(shutil.rmtree, work, ignore_errors=True)
        READER = window_reader(32, work)
        PREFIXES["Windows 10, 64-bit"] = Prefix("installer-10-64", "win64", "win10"), "Program Files (x86)"
        PREFIXES["Windows XP, 32-bit"] = Prefix("installer-xp-32", "win32", "winxp"), "Program Files"
        shutil.rmtree(PAGES, ignore_errors=True)
        PAGES.mkdir(parents=True)

    def installed(self, prefix, program_files, mode, hive, before):
        """Checks what the installer left for the mode: the program and its texts, the entry in the registry
        and the Start-menu shortcut. Returns the entry, the folder and the shortcut."""
        packed = DIST / f"tarnwick-{VERSION}"
        entry = prefix.uninstall_entry(hive)
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"]), (TITLE, VERSION))
        folder = prefix.unix(entry["InstallLocation"])
        profile = next(p for p in (prefix.drive_c / "users").iterdir() if p.name not in ("Public", "Default"))
        where = prefix.drive_c / program_files / "tarnwick" if mode == "AllUsers" else profile
        self.assertTrue(folder == where or where in folder.parents, f"{folder} not in {where}")
        self.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(["tarnwick.exe", "uninstall.exe"] + BESIDE))
        for name in ["tarnwick.exe"] + BESIDE:
            self.assertEqual((folder / name).read_bytes(), (packed / name).read_bytes(), name)
        # The Start-menu entry: the current user's own, or every user's.
        (shortcut,) = [prefix.drive_c / p for p in prefix.files() - before if p.name == f"{TITLE}.lnk"]
        self.assertEqual(shortcut.parts[-3:-1], ("Start Menu", "Programs"))
        self.assertEqual(profile in shortcut.parents, mode == "CurrentUser")
        return entry, folder, shortcut

    def removed(self, prefix, hive, before, folder, shortcut):
        wait_for(lambda: not folder.exists() and not shortcut.exists() and prefix.uninstall_entry(hive) is None,
                 "the uninstaller to remove the program, its shortcut and its entry", LIMIT)
        # The per-user programs folder is Windows' own, made for whichever program comes first.
        self.assertEqual(prefix.files() - before - {folder.parent.relative_to(prefix.drive_c)}, set())

    def test_installs_silently_for_all_or_one_and_uninstalls_completely(self):
        for system, prefix, program_files, mode, hive in each_prefix_and_mode():
            with self.subTest(system=system, mode=mode):
                before = prefix.files()
                prefix.wine(self.installer, "/S", f"/{mode}")
                entry, folder, shortcut = self.installed(prefix, program_files, mode, hive, before)
                # It holds the installed program as its target (ANSI) and its icon (UTF-16), and opens the window.
                program = entry["InstallLocation"] + "\\tarnwick.exe"
                link = shortcut.read_bytes()
                self.assertIn(program.encode("ascii"), link)
                self.assertIn(program.encode("utf-16-le"), link)
                Tarnwick(DESKTOP, "start", args=("/unix", str(shortcut)), launcher=prefix.command).kill()
                # As a tool would run it from the entry in Add/Remove Programs; the uninstaller runs on from a copy
                # of itself in the temporary folder.
                command = re.fullmatch(r'"([^"]+)" (.*)', entry["QuietUninstallString"])
                prefix.wine(command[1], *command[2].split())
                self.removed(prefix, hive, before, folder, shortcut)

    def page(self, prefix, title, name, text, keys):
        """Waits for the page that shows a control of that text, keeps its picture (name.png), checks its texts
        and presses the keys. Returns the reader's answer: its controls, and the process that shows it."""
        missing = []

        def shown():
            answer = prefix.ask(f"title {title}") or {}
            controls = answer.get("controls") or []
            # A button its texts name is there, once the page has given its buttons their texts.
            buttons = {c["text"].strip("<> ").replace("&", "") for c in controls if c["class"] == "Button"}
            missing[:] = [named for c in controls if c["class"] in ("Static", "Button")
                          for named in map("{0[1]}({0[2]}){0[3]}".format, BUTTON.finditer(c["text"]))
                          if named not in buttons]
            return any(c["text"] == text for c in controls) and not missing and answer
        try:
            answer = wait_for(shown, f"the page {name}", LIMIT)
        except AssertionError:
            self.fail(f"no page {name}, or one that names buttons it does not have: {missing}")
        controls = answer["controls"]
        # The reader may see the page before the X server shows its window (seen under load).
        window = wait_for(lambda: DESKTOP.run("xdotool", "search", "--onlyvisible", "--name", f"^{title} ?$",
                                              check=False).split(), f"the window of the page {name}", LIMIT)[0]
        settled_picture(DESKTOP.name, int(window)).save(PAGES / f"{name}.png")
        for text in (c["text"] for c in controls if c["class"] in ("Static", "Button")):
            # Written Chinese: no blank before or after its punctuation, none between the name and Chinese.
            self.assertNotRegex(text, r" [，。：；？！）]|[，。：；？！（] ", name)
            self.assertNotRegex(text, rf"[^\x00-\u2e7f] {TITLE}|{TITLE} [^\x00-\u2e7f]", name)
        DESKTOP.run("xdotool", "key", "--clearmodifiers", *keys)
        return answer

    def test_installs_with_its_pages_starts_the_program_as_the_user_and_uninstalls_with_its_pages(self):
        licence = (SOURCE / "LICENSE.txt").read_text(encoding="utf-8")
        paragraphs = [line for line in licence.splitlines() if line and not line[0].isspace()]
        for system, prefix, program_files, mode, hive in each_prefix_and_mode():
            with self.subTest(system=system, mode=mode):
                before = prefix.files()
                run = f"{Path(prefix.path).name}-{mode}"
                # The reader starts the session and the desktop's shell: an installer that comes first finds the
                # shell's windows object lost (explorer registers it before wine's RPC service runs), in two runs
                # of four. The installer is traced as well, and so is whatever it starts, should a wine start
                # the shell for it all the same.
                shell = prefix.session(SHELL_TRACE)
                self.addCleanup(shell.close)
                setup_log = tempfile.TemporaryFile("w+", prefix="tarnwick-setup-", errors="replace")
                self.addCleanup(setup_log.close)
                setup = DESKTOP.popen([*prefix.command, str(self.installer)], stdout=subprocess.DEVNULL,
                                      stderr=setup_log, env=dict(DESKTOP.env, WINEDEBUG=SHELL_TRACE))
                self.addCleanup(setup.wait, LIMIT)
                self.addCleanup(setup.kill)
                choice = {"AllUsers": "为本机所有用户安装(&A)", "CurrentUser": "只为我自己安装(&M)"}[mode]
                run_box = f"运行{TITLE}(&R)"
                pages = {page: self.page(prefix, f"{TITLE}安装程序", f"{run}-{page}", text, keys) for page, text, keys in (
                    ("1-licence", "我接受(&I)", ["Return"]), ("2-users", choice, [f"alt+{choice[-2].lower()}", "Return"]),
                    ("3-folder", "浏览(&B)...", ["Return"]), ("4-finish", run_box, ["Return"]))}
                # The terms, a paragraph a line, for the box to wrap; a short rule.
                (box,) = [c["text"] for c in pages["1-licence"]["controls"] if c["class"].startswith("RichEdit")]
                self.assertEqual(re.sub(r"\s|-{20,}", "", box), re.sub(r"\s|-{20,}", "", licence))
                lines = [line for line in box.splitlines() if line]
                self.assertEqual(len(lines), len(paragraphs))
                self.assertTrue(all(line.startswith(start[:20]) for line, start in zip(lines, paragraphs)), lines)
                self.assertIn("-" * 20, lines)
                self.assertTrue(all(c["checked"] for c in pages["4-finish"]["controls"] if c["text"] == run_box),
                                "run box ticked")
                self.assertEqual(setup.wait(LIMIT), 0)
                entry, folder, shortcut = self.installed(prefix, program_files, mode, hive, before)

                # Started by the desktop's shell (which traced the call before the installer ended), shown; the
                # installer started none of its own.
                program = entry["InstallLocation"] + "\\tarnwick.exe"
                starts = shell_starts(shell, setup_log)
                self.assertEqual([file for _, file, _ in starts], [program], "what the shell was asked to start")
                asker, _, show = starts[0]
                self.assertNotEqual(show, 0, "the shell was asked to start the program hidden")
                # Which process asked, where the trace names it: explorer, which runs as the signed-in user,
                # not the installer, which may run elevated. A trace without process ids still shows that the
                # program was started through the shell's dispatch object, shown, and (below) as the only
                # process of its own, but not in which process that object lived.
                if asker is not None:
                    finish = pages["4-finish"]
                    self.assertNotEqual(asker, finish["process"], "the installer started the program")
                    self.assertEqual(asker, finish["shell"], "the desktop's shell did not")
                window = wait_for(lambda: DESKTOP.run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$",
                                                      check=False).split(), "the program's window", LIMIT)[0]

                def processes():
                    return processes_with_env(f"XDG_RUNTIME_DIR={DESKTOP.runtime}", program)
                self.assertEqual(processes(), [int(DESKTOP.run("xdotool", "getwindowpid", window))])
                send_close_box(DESKTOP.name, int(window))
                wait_for(lambda: not processes(), "the program to end", LIMIT)

                # The uninstaller as Add/Remove Programs runs it, through its pages.
                command = re.fullmatch(r'"([^"]+)" (.*)', entry["UninstallString"])
                DESKTOP.popen([*prefix.command, command[1], *command[2].split()], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
                for page, text in (("5-uninstall", "卸载(&U)"), ("6-uninstalled", "卸载完成")):
                    self.page(prefix, f"{TITLE}卸载程序", f"{run}-{page}", text, ["Return"])
                self.removed(prefix, hive, before, folder, shortcut)

    def test_refuses_windows_older_than_xp_sp3(self):
        prefix, _ = PREFIXES["Windows XP, 32-bit"]
        self.addCleanup(prefix.version, "winxp")
        prefix.version("win2k")
        before = prefix.files()
        self.assertEqual(prefix.wine(self.installer, "/S", check=False).returncode, 2)  # the installer's own check
        self.assertEqual(prefix.files(), before)


if __name__ == "__main__":
    unittest.main(verbosity=2)

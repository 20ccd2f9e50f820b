"""The Windows program's real window under wine: what its user sees and can do, on the Windows versions
and settings it is made for.

The 32-bit tarnwick.exe runs in a 32-bit prefix playing Windows XP, then Windows 7, and beside the 64-bit
build in a 64-bit prefix playing Windows 10, all on one desktop of their own (tests/e2e/desktop.py). On
a machine that runs no 32-bit program, the 64-bit build in a 64-bit prefix playing Windows XP x64 stands
in for the first, and the 32-bit runs are left out.
Keys go in through xdotool; what the window and its message boxes hold is read by readwindow.exe, a
reader beside the program that asks the controls for their text as a screen reader does; colours and
glyphs come from the painted window. Run by scripts/windows.sh --check, which names the programs, the
Linux probe of the program's texts and a folder for the prefixes.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
from desktop import (NO_32_BIT, NO_WINE, Display, Picture, Tarnwick, WinePrefix, program_texts,  # noqa: E402
                     runs_32_bit_programs, send_close_box, settled_picture, wait_for, window_reader)

PROGRAM = {32: Path(os.environ["TARNWICK32"]), 64: Path(os.environ["TARNWICK64"])}
PREFIXES = Path(os.environ["WINE_PREFIXES"])
LIMIT = 60.0  # seconds for one wine program to do its part; a first start in a prefix is the slowest
# The window's controls in their stacking order, which is also the tab order.
CONTROLS = ["TxtC", "Label1", "CmdOK", "Cmdm", "CmdCE", "TxtGD", "Label3"]
# Where each control lies at 96 dpi, in pixels of the client area (left, top, width, height).
# Label1's place ends where the code box begins (168): the label runs on under the box, whose caret blinks.
PLACES = {"Label1": (24, 16, 144, 25), "TxtGD": (8, 80, 233, 113), "Label3": (8, 48, 233, 33)}


# Wine's trace of the call, as wine 8 ("(0001006C, 00000000, 0x0):") and wine 10 ("hwnd 000000000001006C,
# new_himc 0000000000000000, flags 0") write it: the box, the input context, the flags.
IMM_ASSOCIATE = re.compile(r"ImmAssociateContextEx \(?(?:hwnd )?(\w+), (?:new_himc )?(\w+), (?:flags )?(\w+)")


def light(rgb):
    return sum(rgb) / 3


def red(rgb):
    return rgb[0] > 170 and rgb[1] < 90 and rgb[2] < 90


def yellow(rgb):
    return rgb[0] > 170 and rgb[1] > 150 and rgb[2] < 90


class Prefix(WinePrefix):
    """A prefix for the window, with the reader beside it."""

    def __init__(self, name, arch, version):
        super().__init__(DESKTOP, PREFIXES / name, arch, version, READER)

    def set(self, key, name, value, kind="REG_SZ"):
        self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", value, "/f")

    def colour(self, name):
        """A colour of the scheme, as the registry holds it."""
        out = self.wine("reg", "query", r"HKCU\Control Panel\Colors", "/v", name).stdout.decode()
        return tuple(int(v) for v in out.split(name)[1].split()[1:4])

    def start(self, test, bits, env=None):
        app = Tarnwick(DESKTOP, str(PROGRAM[bits]), launcher=self.command, env=env)
        test.addCleanup(app.kill)
        return Window(app, self)


class Window:
    """tarnwick's window in a prefix, driven by keys and read as a screen reader reads it."""

    def __init__(self, app, prefix):
        self.app, self.prefix = app, prefix
        self.app.focus()

    def state(self):
        return wait_for(self.prefix.ask, "the window as a screen reader reads it", LIMIT)

    def text(self, name, state=None):
        return (state or self.state())["controls"][CONTROLS.index(name)]["text"]

    def focused(self):
        return next((name for name, c in zip(CONTROLS, self.state()["controls"]) if c["focus"]), None)

    def keys(self, *keys):
        self.app.keys(*keys)

    def query(self, typed):
        """Types a code over whatever the code box holds and presses Enter."""
        self.keys("ctrl+a", "BackSpace")
        if typed:
            self.app.type(typed)
        self.keys("Return")

    def shows(self, code, result, code_set=True):
        """Waits for the two boxes' texts. A box the program set (the result box always, the code box
        unless the code was refused) has its caret at the start, nothing selected, and shows from the top."""
        def shown():
            code_box, result_box = (self.state()["controls"][CONTROLS.index(name)] for name in ("TxtC", "TxtGD"))
            start = [[0, 0], 0]
            return ((code_box["text"], result_box["text"]) == (code, result)
                    and [result_box["selection"], result_box["top"]] == start
                    and (not code_set or [code_box["selection"], code_box["top"]] == start))
        wait_for(shown, f"{code!r} in the code box and {result[:20]!r}... in the result box", LIMIT)

    def picture(self):
        return Picture(DESKTOP.name, self.app.window)

    def log(self):
        """What wine has logged for the program so far (WINEDEBUG), line by line."""
        self.app.log.seek(0)
        return self.app.log.read().splitlines()

    def ended(self):
        wait_for(self.app.exited, "the program to end", LIMIT)


def stand_in(source, to, english, chinese):
    """A copy of a Debian font that calls itself by a Windows face's names, in English and Chinese."""
    from fontTools.ttLib import TTCollection, TTFont
    font = TTCollection(source).fonts[0] if source.endswith(".ttc") else TTFont(source)
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in (1, 4, 6, 16, 17)]
    for lang, family in ((0x409, english), (0x804, chinese)):
        for name_id in (1, 4):
            names.setName(family, name_id, 3, 1, lang)
    names.setName(english.replace(" ", ""), 6, 3, 1, 0x409)
    font.save(to)


DESKTOP = TEXTS = READER = XP = WIN10 = None
BITS = 32  # the program that plays on Windows XP and 7


def setUpModule():
    global DESKTOP, TEXTS, READER, XP, WIN10, BITS
    if NO_WINE:
        raise unittest.SkipTest(f"the window checks run under wine, and {NO_WINE}")
    if not runs_32_bit_programs():
        print(f"Left out: the 32-bit program and a 32-bit Windows XP: {NO_32_BIT}.", file=sys.stderr)
        BITS = 64
    DESKTOP = Display()
    unittest.addModuleCleanup(DESKTOP.close)  # the last to go, also where the rest of this set-up fails
    TEXTS = program_texts(os.environ["SLOTPROBE"])
    work = Path(tempfile.mkdtemp(prefix="tarnwick-wine-"))
    unittest.addModuleCleanup(shutil.rmtree, work, ignore_errors=True)
    READER = window_reader(BITS, work)
    XP = Prefix("xp-32", "win32", "winxp") if BITS == 32 else Prefix("xp-64", "win64", "winxp64")
    WIN10 = Prefix("10-64", "win64", "win10")


class OnWindowsXp(unittest.TestCase):
    """The whole job in the 32-bit program on Windows XP."""

    def test_answers_every_row_and_shows_the_fixed_texts(self):
        w = XP.start(self, BITS)
        start = w.state()
        self.assertEqual(start["client"], [249, 241])
        self.assertEqual((w.text("TxtC", start), w.focused()), ("", "TxtC"))
        self.assertEqual(w.text("TxtGD", start), TEXTS["StartupText"])
        self.assertEqual([w.text(name, start) for name in ("Label1", "CmdOK", "Cmdm", "CmdCE", "Label3")],
                         ["DEBUG代码：", "查询", "更多", "退出",
                          "代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"])
        for name in ["CmdOK", "Cmdm", "CmdCE", "TxtGD", "TxtC"]:  # Tab goes round, past the labels
            w.keys("Tab")
            wait_for(lambda: w.focused() == name, f"the focus on {name}", LIMIT)
        for i, (code, description) in enumerate(TEXTS["rows"].items()):
            w.query(code.lower() if i % 2 else code)  # shown back as stored
            w.shows(code, description)
        # Enter on a focused button clicks that button: 更多 empties the code box and shows the guide.
        w.keys("Tab", "Tab")
        wait_for(lambda: w.focused() == "Cmdm", "the focus on 更多", LIMIT)
        w.keys("Return")
        w.shows("", TEXTS["FfGuideText"])
        # What is shown can be copied, also after the program has ended.
        w.keys("shift+Tab", "shift+Tab", "shift+Tab", "ctrl+a", "ctrl+c")
        wait_for(lambda: w.app.clipboard() == TEXTS["FfGuideText"].replace("\r\n", "\n"), "the copied guide", LIMIT)
        w.keys("Escape")  # in the result box, too, Escape is 退出
        w.ended()
        self.assertEqual(w.app.clipboard(), TEXTS["FfGuideText"].replace("\r\n", "\n"))

    def test_message_boxes_come_before_the_notice(self):
        w = XP.start(self, BITS)
        w.app.box_expected = True
        before = TEXTS["StartupText"]
        for typed, prompt, colour in (("", "EmptyInputPrompt", red), ("3f", "NoMatchPrompt", yellow)):
            with self.subTest(prompt):
                w.query(typed)
                state = wait_for(lambda: (s := w.state())["boxes"] and s, "the message box", LIMIT)
                (box,) = state["boxes"]
                self.assertEqual(box["title"], "tarnwick")
                texts = [c["text"] for c in box["texts"]]
                self.assertIn(TEXTS[prompt], texts)
                self.assertEqual([c["class"] for c in box["texts"]].count("Button"), 1)
                self.assertEqual(w.text("TxtGD", state), before)  # nothing changes while it is open
                box_window = int(DESKTOP.run("xdotool", "search", "--onlyvisible", "--name", "^tarnwick$").split()[0])
                picture = Picture(DESKTOP.name, box_window)
                icon = [picture.pixel(x, y) for y in range(picture.height // 2) for x in range(picture.width // 4)]
                self.assertGreater(sum(map(colour, icon)), 50, f"the {colour.__name__} icon")
                w.keys("Return")
                w.shows(typed, TEXTS["NoticeText"], code_set=False)  # the typed code stays, to correct
                before = TEXTS["NoticeText"]

    def test_code_box_takes_two_whole_characters_and_result_box_takes_none(self):
        w = XP.start(self, BITS)
        w.app.type("abc")
        wait_for(lambda: w.text("TxtC") == "ab", "two of three typed characters", LIMIT)
        for pasted, kept in (("xyz", "xy"), ("f\U0001F600", "f")):  # never half a surrogate pair
            subprocess.run(["xclip", "-selection", "clipboard"], input=pasted.encode(), env=DESKTOP.env,
                           check=True, timeout=LIMIT)

            def pastes():  # again until wine has taken the new clipboard from the X server
                w.keys("ctrl+a", "BackSpace", "ctrl+v")
                return w.text("TxtC") == kept
            wait_for(pastes, f"{kept!r} of the pasted {pasted!r}", LIMIT)
        w.app.type("98")  # room for one more, then none
        wait_for(lambda: w.text("TxtC") == "f9", "f9", LIMIT)
        # In the result box typing, deleting, cutting and pasting change nothing; Enter there is 查询.
        w.keys("shift+Tab", "x", "Delete", "BackSpace", "ctrl+a", "ctrl+x", "ctrl+v")
        w.app.box_expected = True
        w.keys("Return")
        wait_for(lambda: w.state()["boxes"], "the no-match box", LIMIT)
        self.assertEqual(w.text("TxtGD"), TEXTS["StartupText"])
        w.keys("Return")
        w.shows("f9", TEXTS["NoticeText"], code_set=False)

    def test_three_ways_out(self):
        for way in ("退出", "Escape in the result box", "close box"):
            with self.subTest(way):
                w = XP.start(self, BITS)
                if way == "退出":
                    w.keys("Tab", "Tab", "Tab", "space")
                elif way == "Escape in the result box":
                    w.keys("shift+Tab", "Escape")
                else:
                    send_close_box(DESKTOP.name, w.app.window)
                w.ended()


class OnOtherWindows(unittest.TestCase):
    """The window as it opens and answers on each Windows version and build, at 96 and 144 dpi."""

    def opens_and_answers(self, prefix, bits, size=(249, 241)):
        w = prefix.start(self, bits, env={"WINEDEBUG": "trace+gdi,trace+imm"})
        try:
            start = w.state()
            self.assertEqual(start["client"], list(size))
            self.assertEqual(w.focused(), "TxtC")
            w.query("ff")
            w.shows("FF", TEXTS["rows"]["FF"])
            picture = w.picture()
            # Input methods are off for the code box, and only there. Wine cannot say which box has an input
            # context (its ImmGetContext answers nothing for another process's window), but logs the call.
            calls = [m.groups() for m in map(IMM_ASSOCIATE.search, w.log()) if m]
            self.assertEqual([(int(box, 16), int(context, 16), int(flags, 16)) for box, context, flags in calls],
                             [(start["controls"][CONTROLS.index("TxtC")]["handle"], 0, 0)])
            # A session of repaints, as uncovering the window makes them: no font is made for a paint, and no
            # font or brush is deleted while still selected into a device context. Windows refuses such a
            # delete and the object stays for the life of the process; wine defers it, and says so.
            before = len(w.log())
            for _ in range(20):
                w.prefix.ask("repaint")
            w.state()
            self.assertEqual([line for line in w.log()[before:] if re.search(r"allocated \S*FONT", line)], [],
                             "fonts made for a repaint")
            self.assertEqual([line for line in w.log() if "because object in use" in line], [],
                             "GDI objects deleted while selected")
            return picture
        finally:
            w.app.kill()  # also after a failure: the next looks for a window of the same title

    def test_windows_7_and_10_in_32_and_64_bits(self):
        for name, prefix, bits in ((f"7, {BITS}-bit", XP, BITS), ("10, 32-bit on 64", WIN10, 32),
                                   ("10, 64-bit", WIN10, 64)):
            with self.subTest(name):
                if bits < BITS:
                    self.skipTest(NO_32_BIT)
                if name.startswith("7"):
                    self.addCleanup(XP.version, "winxp" if BITS == 32 else "winxp64")
                    XP.version("win7")
                self.opens_and_answers(prefix, bits)

    def test_144_dpi(self):
        # Windows takes its system DPI up as a session starts, and so does wine from 10 on (wine 8 read it
        # for each program): the program's session starts at 144.
        def session_at(dpi):
            WIN10.stop()
            WIN10.set(r"HKCU\Control Panel\Desktop", "LogPixels", str(dpi), "REG_DWORD")
            WIN10.wine("--wait")

        session_at(144)
        self.addCleanup(session_at, 96)
        picture = self.opens_and_answers(WIN10, 64, (374, 362))
        # The fonts grew with the window: Label1's caption is half as tall again as at 96 dpi (24 px).
        rows = [y for y in range(24, 61) if any(light(picture.pixel(x, y)) < 100 for x in range(36, 230))]
        self.assertGreaterEqual(max(rows) - min(rows), 24)

    def test_colours_follow_the_scheme(self):
        # The window is painted in the button-face colour and the empty code box in the window colour,
        # as GetSysColor gives them: in wine's own scheme and in one changed in the registry.
        key = r"HKCU\Control Panel\Colors"
        for scheme, changed in (("wine's own", {}), ("changed", {"ButtonFace": (200, 220, 240),
                                                                 "Window": (255, 250, 205)})):
            with self.subTest(scheme):
                for name, rgb in changed.items():
                    self.addCleanup(XP.set, key, name, " ".join(map(str, XP.colour(name))))
                    XP.set(key, name, " ".join(map(str, rgb)))
                face, window = XP.colour("ButtonFace"), XP.colour("Window")
                w = XP.start(self, BITS)

                def painted():
                    picture = w.picture()
                    counts = {}
                    for y in range(0, picture.height, 2):
                        for x in range(0, picture.width, 3):
                            counts[picture.pixel(x, y)] = counts.get(picture.pixel(x, y), 0) + 1
                    # Most of the window is face; the empty code box is window colour.
                    return max(counts, key=counts.get) == face and picture.pixel(200, 20) == window
                wait_for(painted, f"the window in {face} with a code box in {window}", LIMIT)
                w.app.kill()


class Fonts(unittest.TestCase):
    """The faces the window names where installed, and Chinese without them."""

    def captions(self, env=None):
        """The pixels of each caption and of the result box, as the window paints them at start."""
        XP.stop()  # the next wine server loads the fonts anew
        w = XP.start(self, BITS, env)
        wait_for(lambda: w.text("TxtGD") == TEXTS["StartupText"], "the start text", LIMIT)
        picture = settled_picture(DESKTOP.name, w.app.window)
        w.app.kill()
        return {name: [picture.pixel(x, y) for y in range(top, top + height) for x in range(left, left + width)]
                for name, (left, top, width, height) in PLACES.items()}

    def test_named_faces_are_used_where_they_show_chinese(self):
        fonts = Path(XP.path) / "drive_c" / "windows" / "Fonts"
        self.addCleanup(XP.stop)

        def with_faces(yahei, simsun):
            stand_in(yahei, fonts / "msyh.ttf", "Microsoft YaHei", "微软雅黑")
            stand_in(simsun, fonts / "simsun.ttf", "SimSun", "宋体")
            try:
                return self.captions()
            finally:
                (fonts / "msyh.ttf").unlink()
                (fonts / "simsun.ttf").unlink()
        neither = self.captions()  # wine has no such faces: a face of the desktop's stands in
        named = with_faces("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc", "/usr/share/fonts/truetype/arphic/uming.ttc")
        # Faces of those names that have no Chinese are passed over for one that has.
        latin = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
        latin_only = with_faces(latin, latin)
        for name in PLACES:
            with self.subTest(name):
                background = max(set(neither[name]), key=neither[name].count)
                inked = sum(sum(abs(a - b) for a, b in zip(p, background)) > 150 for p in neither[name])
                self.assertGreater(inked, 50, "no text")
                self.assertTrue(named[name] != neither[name], "the named face not used")
                self.assertTrue(latin_only[name] == neither[name], "a face without Chinese used")


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""The whole job on a real display: real keys and clicks in, what a screen reader reads out.

Each test has a desktop of its own (X server, session bus, AT-SPI bus), gone when it ends. What the
window should show is what the program itself holds (tests/tools/slotprobe), not copies of its texts.
"""
import os
import subprocess
import unittest

from desktop import Display, Role, Screen, Tarnwick, program_texts, wait_for

TEXTS = program_texts(os.environ["SLOTPROBE"])
CRLF = "\r\n"


def shown(text):
    """A text as the result box gives it to a screen reader: line breaks as LF."""
    return text.replace(CRLF, "\n")


class JobOnX(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.addCleanup(self.display.close)
        self.app = Tarnwick(self.display, os.environ["TARNWICK"], accessible=True)
        self.addCleanup(self.app.kill)
        self.screen = Screen(self.app)
        self.app.focus()

    def result(self):
        return self.screen.text("查询结果")

    def code(self):
        return self.screen.text("DEBUG代码")

    def wait_result(self, expected, what):
        wait_for(lambda: self.result() == shown(expected), what)

    def query(self, typed):
        self.app.type(typed)
        wait_for(lambda: self.code() == typed, f"{typed!r} in the code box")
        self.app.keys("Return")

    def assert_box_then_notice(self, prompt, before=TEXTS["StartupText"]):
        self.app.box_expected = True

        def box_saying_it():
            alert = self.screen.alert()
            return alert if alert and shown(prompt) in self.screen.alert_texts(alert) else None
        alert = wait_for(box_saying_it, f"the message box saying {prompt!r}")
        self.assertEqual(alert.name, TEXTS["AppTitle"])
        self.assertEqual([n.name for n in alert.descendants() if n.role == Role.PUSH_BUTTON], ["确定"])
        self.assertEqual(self.result(), shown(before))  # unchanged while the box is open
        self.app.keys("Return")  # OK
        wait_for(lambda: self.app.windows() == [self.app.window], "the message box to close")
        self.app.box_expected = False
        self.wait_result(TEXTS["NoticeText"], "the notice")

    def test_code_typed_in_lower_case_is_found_and_shown_back(self):
        self.query("ff")
        self.wait_result(TEXTS["rows"]["FF"], "the FF description")
        wait_for(lambda: self.code() == "FF", "the code shown back as stored")
        # The box is full: a further character goes nowhere. Enter then asks for the same code again,
        # which a third character would have made a miss, with a message box.
        self.app.type("a")
        self.app.keys("Return", "Delete")  # the caret stands before the code shown back
        wait_for(lambda: self.code() == "F", "the first letter deleted, after the keys before it")
        self.assertIsNone(self.screen.alert())
        self.assertEqual(self.result(), TEXTS["rows"]["FF"])
        self.app.keys("Delete")
        self.query("1c")
        self.wait_result(TEXTS["rows"]["1C"], "the 1C description")
        self.assertEqual(self.code(), "1C")

    def test_code_without_a_row_warns_then_shows_the_notice(self):
        self.query("3f")
        self.assert_box_then_notice(TEXTS["NoMatchPrompt"])
        self.assertEqual(self.code(), "3f")

    def test_more_shows_the_guide_and_a_query_then_asks_for_a_code(self):
        self.app.type("12")
        self.app.click_on("更多")
        self.wait_result(TEXTS["FfGuideText"], "the FF/00 guide")
        wait_for(lambda: self.code() == "", "an empty code box")
        self.app.click_on("查询")
        self.assert_box_then_notice(TEXTS["EmptyInputPrompt"], before=TEXTS["FfGuideText"])
        self.assertEqual(self.code(), "")

    def test_result_can_be_copied_but_not_changed(self):
        self.query("ff")
        self.wait_result(TEXTS["rows"]["FF"], "the FF description")
        self.app.click_on("查询结果")
        self.app.keys("ctrl+a", "ctrl+c")
        wait_for(lambda: self.app.clipboard() == TEXTS["rows"]["FF"], "the description on the clipboard")

        # xclip stays to serve what it owns; it goes with the desktop.
        xclip = self.display.popen(["xclip", "-i", "-selection", "clipboard"], stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, text=True)
        xclip.communicate("pasted", timeout=20)
        wait_for(lambda: self.app.clipboard() == "pasted", "the new clipboard")
        self.app.click_on("查询结果")
        self.app.type("abc")
        self.app.keys("BackSpace", "Delete", "ctrl+v", "ctrl+a", "ctrl+x", "ctrl+v")
        # Copied again once the keys above are handled: the box's own text, whatever they did to it.
        self.app.keys("ctrl+a", "ctrl+c")
        copied = wait_for(lambda: (text := self.app.clipboard()) != "pasted" and text, "the text copied again")
        self.assertEqual(copied, TEXTS["rows"]["FF"])
        self.assertEqual(self.result(), TEXTS["rows"]["FF"])


if __name__ == "__main__":
    unittest.main(verbosity=2)

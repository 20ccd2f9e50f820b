"""The whole job on a real display: real keys and clicks in, what a screen reader reads out.

Each test has a desktop of its own (X server, session bus, AT-SPI bus), gone when it ends.
"""
import os
import subprocess
import unittest

from desktop import Display, Screen, Tarnwick, wait_for

EXECUTABLE = os.environ["TARNWICK"]

FF_TEXT = "给予INI19引导装入程序的控制，主板OK"
CODE_1C_TEXT = "测试CMOS检查总和。 . 第一个64DK RAM第12位故障。 "
NOTICE_LINE_4 = "查询结果仅供参考!"
GUIDE_LINE_1 = "开机后主板测试卡直接显示FF或00的故障原因及排除方法："
STARTUP_LINE_3 = "本程序查询结果仅供参考！"
EMPTY_PROMPT = "请输入要查询的DEBUG代码！"
NO_MATCH_PROMPT = "没有匹配的结果！\n请正确输入要查询的DEBUG代码！"

# Button centres in the client area (pixels at 96 dpi).
MORE = (88 + 36, 200 + 16)
EXIT = (168 + 36, 200 + 16)
RESULT = (100, 120)


class JobOnX(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.addCleanup(self.display.close)
        self.app = Tarnwick(self.display, EXECUTABLE, accessible=True)
        self.addCleanup(self.app.kill)
        self.screen = Screen(self.app)
        self.app.focus()

    def result(self):
        return self.screen.text("查询结果")

    def code(self):
        return self.screen.text("DEBUG代码")

    def wait_result(self, condition, what):
        """The result box's text, once it meets the condition."""
        def met():
            text = self.result()
            return (text,) if condition(text) else None
        return wait_for(met, what)[0]

    def query(self, typed):
        if typed:
            self.app.type(typed)
            wait_for(lambda: self.code() == typed, f"{typed!r} in the code box")
        self.app.keys("Return")

    def assert_box_then_notice(self, prompt):
        self.app.box_expected = True

        def box_saying_it():
            alert = self.screen.alert()
            return alert if alert and prompt in self.screen.alert_texts(alert) else None
        alert = wait_for(box_saying_it, f"the message box saying {prompt!r}")
        self.assertEqual(alert.name, "tarnwick")
        buttons = [n.name for n in alert.descendants() if n.role == "push button"]
        self.assertEqual(buttons, ["确定"])
        self.assertIn(STARTUP_LINE_3, self.result())  # unchanged while the box is open
        self.app.keys("Return")  # OK
        wait_for(lambda: self.app.windows() == [self.app.window], "the message box to close")
        self.app.box_expected = False
        self.assertEqual(self.wait_result(lambda t: NOTICE_LINE_4 in t, "the notice").split("\n")[3],
                         NOTICE_LINE_4)

    def assert_ended(self):
        wait_for(self.app.exited, "the process to end")
        self.assertEqual(self.app.process.returncode, 0)
        self.assertEqual(self.app.windows(), [])

    def clipboard(self):
        return self.display.run("xclip", "-o", "-selection", "clipboard", check=False)

    def test_starts_with_its_start_text_and_an_empty_code_box(self):
        self.assertEqual(self.code(), "")
        self.assertEqual(self.result().split("\n")[2], STARTUP_LINE_3)

    def test_code_typed_in_lower_case_is_found_and_shown_back(self):
        self.query("ff")
        self.wait_result(lambda t: t == FF_TEXT, "the FF description")
        wait_for(lambda: self.code() == "FF", "the code shown back as stored")
        # The box is full: a further character goes nowhere. Enter then asks for the same code again,
        # which a third character would have made a miss, with a message box.
        self.app.type("a")
        self.app.keys("Return", "Delete")  # the caret stands before the code shown back
        wait_for(lambda: self.code() == "F", "the first letter deleted, after the keys before it")
        self.assertIsNone(self.screen.alert())
        self.assertEqual(self.result(), FF_TEXT)
        self.app.keys("Delete")
        self.query("1c")
        self.wait_result(lambda t: t == CODE_1C_TEXT, "the 1C description")
        self.assertEqual(self.code(), "1C")

    def test_code_without_a_row_warns_then_shows_the_notice(self):
        self.query("3f")
        self.assert_box_then_notice(NO_MATCH_PROMPT)
        self.assertEqual(self.code(), "3f")

    def test_empty_query_asks_for_a_code(self):
        self.query("")
        self.assert_box_then_notice(EMPTY_PROMPT)
        self.assertEqual(self.code(), "")

    def test_more_shows_the_guide_and_empties_the_code(self):
        self.app.type("12")
        self.app.click(*MORE)
        self.wait_result(lambda t: t.startswith(GUIDE_LINE_1), "the FF/00 guide")
        self.assertEqual(len(self.result().split("\n")), 6)
        wait_for(lambda: self.code() == "", "an empty code box")

    def test_result_can_be_copied_but_not_changed(self):
        self.query("ff")
        self.wait_result(lambda t: t == FF_TEXT, "the FF description")
        self.app.click(*RESULT)
        self.app.keys("ctrl+a", "ctrl+c")
        wait_for(lambda: self.clipboard() == FF_TEXT, "the description on the clipboard")

        # xclip stays to serve what it owns; it goes with the desktop.
        xclip = self.display.popen(["xclip", "-i", "-selection", "clipboard"], stdin=subprocess.PIPE,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, text=True)
        xclip.communicate("pasted", timeout=20)
        wait_for(lambda: self.clipboard() == "pasted", "the new clipboard")
        self.app.click(*RESULT)
        self.app.type("abc")
        self.app.keys("BackSpace", "Delete", "ctrl+v", "ctrl+a", "ctrl+x", "ctrl+v")
        # Copied again once the keys above are handled: the box's own text, whatever they did to it.
        self.app.keys("ctrl+a", "ctrl+c")
        copied = wait_for(lambda: (text := self.clipboard()) != "pasted" and text, "the text copied again")
        self.assertEqual(copied, FF_TEXT)
        self.assertEqual(self.result(), FF_TEXT)

    def test_escape_ends_the_program(self):
        self.app.type("ff")
        self.app.keys("Escape")
        self.assert_ended()

    def test_exit_button_ends_the_program(self):
        self.app.click(*EXIT)
        self.assert_ended()


if __name__ == "__main__":
    unittest.main(verbosity=2)

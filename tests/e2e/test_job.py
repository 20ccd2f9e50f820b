"""The whole job on a real display: real keys and clicks in, what a screen reader reads out.

Run inside a D-Bus session (dbus-run-session) so that the AT-SPI bus can start.
"""
import os
import subprocess
import sys
import unittest

import pyatspi

from desktop import Display, Tarnwick, wait_for

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


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


class Screen:
    """tarnwick's window as AT-SPI presents it."""

    def __init__(self, pid):
        self.pid = pid
        self.app = wait_for(self._find_app, "tarnwick on the accessibility bus")

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:  # an application going away while we look
                continue
        return None

    def named(self, name):
        return wait_for(lambda: next((n for n in descendants(self.app) if n.name == name), None),
                        f"the control named {name}")

    def text(self, name):
        node = self.named(name)
        text = node.queryText()
        return text.getText(0, text.characterCount)

    def alert(self):
        """The open message box, or None."""
        for i in range(self.app.childCount):
            top = self.app.getChildAtIndex(i)
            if top is not None and top.getRole() == pyatspi.ROLE_ALERT:
                if top.getState().contains(pyatspi.STATE_SHOWING):
                    return top
        return None

    def alert_texts(self, alert):
        return [n.name for n in descendants(alert) if n.getRole() == pyatspi.ROLE_LABEL and n.name]


class JobOnX(unittest.TestCase):
    def setUp(self):
        self.display = Display()
        self.addCleanup(self.display.close)
        self.app = Tarnwick(self.display, EXECUTABLE, accessible=True)
        self.addCleanup(self.app.kill)
        self.screen = Screen(self.app.process.pid)
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
        alert = wait_for(self.screen.alert, "the message box")
        self.assertEqual(alert.name, "tarnwick")
        wait_for(lambda: prompt in self.screen.alert_texts(alert), f"the prompt {prompt!r}")
        buttons = [n.name for n in descendants(alert) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        self.assertEqual(buttons, ["确定"])
        self.assertIn(STARTUP_LINE_3, self.result())  # unchanged while the box is open
        self.app.keys("Return")  # OK
        wait_for(lambda: self.screen.alert() is None, "the message box to close")
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
        # The box is full: a further character goes nowhere until one is deleted.
        self.app.type("a")
        self.query("")  # Enter again: same code, same answer, no message box
        self.assertEqual(self.code(), "FF")
        self.assertIsNone(self.screen.alert())
        self.app.keys("Delete", "Delete")
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

        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input="pasted", text=True,
                       env=self.display.env, check=True, timeout=20)
        wait_for(lambda: self.clipboard() == "pasted", "the new clipboard")
        self.app.click(*RESULT)
        self.app.type("abc")
        self.app.keys("BackSpace", "Delete", "ctrl+v", "ctrl+a", "ctrl+x", "ctrl+v")
        self.query("")  # Enter in the result box is a query; the code box still holds FF
        self.wait_result(lambda t: t == FF_TEXT, "the description, unchanged")
        self.assertIsNone(self.screen.alert())

    def test_escape_ends_the_program(self):
        self.app.type("ff")
        self.app.keys("Escape")
        self.assert_ended()

    def test_exit_button_ends_the_program(self):
        self.app.click(*EXIT)
        self.assert_ended()

    def test_close_box_ends_the_program(self):
        # No window manager runs here, so send the close box's request as one would.
        from Xlib import X, display as xdisplay, protocol
        x = xdisplay.Display(self.display.name)
        self.addCleanup(x.close)
        win = x.create_resource_object("window", self.app.window)
        event = protocol.event.ClientMessage(
            window=win, client_type=x.intern_atom("WM_PROTOCOLS"),
            data=(32, [x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        win.send_event(event, event_mask=0)
        x.flush()
        self.assert_ended()


if __name__ == "__main__":
    unittest.main(verbosity=2)

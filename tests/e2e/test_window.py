"""The real tarnwick window on a real X server: size, fixed frame, position, picture, and closing."""
import os
import struct
import unittest

from Xlib import X, display as xdisplay, protocol

from desktop import LIMIT, Display, Tarnwick, wait_for

EXECUTABLE = os.environ["TARNWICK"]
GRABWINDOW = os.environ["GRABWINDOW"]
SCREENSHOT = os.environ.get("TARNWICK_SCREENSHOT")  # else a file that goes with the desktop


class WindowOnX(unittest.TestCase):
    def setUp(self):
        self.screen = Display("1024x768x24")
        self.addCleanup(self.screen.close)
        self.app = Tarnwick(self.screen, EXECUTABLE)
        self.addCleanup(self.app.kill)
        self.x = xdisplay.Display(self.screen.name)
        self.addCleanup(self.x.close)
        self.win = self.x.create_resource_object("window", self.app.window)

    def test_client_area_size_and_position(self):
        geometry = self.win.get_geometry()
        self.assertEqual((geometry.width, geometry.height), (249, 241))
        origin = self.win.translate_coords(self.x.screen().root, 0, 0)
        left, top = -origin.x, -origin.y
        self.assertLessEqual(abs(left + 249 / 2 - 1024 / 2), 1.5)
        self.assertLessEqual(abs(top + 241 / 2 - 768 / 2), 1.5)

    def test_frame_cannot_be_resized_maximized_or_minimized(self):
        hints = self.win.get_wm_normal_hints()
        self.assertEqual((hints.min_width, hints.min_height), (249, 241))
        self.assertEqual((hints.max_width, hints.max_height), (249, 241))
        motif = self.x.intern_atom("_MOTIF_WM_HINTS")
        prop = self.win.get_full_property(motif, X.AnyPropertyType)
        self.assertIsNotNone(prop, "the window tells the window manager which boxes it has")
        flags, functions, decorations = prop.value[0], prop.value[1], prop.value[2]
        MWM_HINTS_FUNCTIONS, MWM_HINTS_DECORATIONS = 1, 2
        FUNC_ALL, FUNC_MINIMIZE, FUNC_MAXIMIZE, FUNC_CLOSE = 1, 8, 16, 32
        DECOR_ALL, DECOR_MINIMIZE, DECOR_MAXIMIZE = 1, 32, 64
        self.assertTrue(flags & MWM_HINTS_FUNCTIONS)
        self.assertFalse(functions & FUNC_ALL)
        # Resizing is ruled out by the size hints above (minimum = maximum); the boxes by these.
        self.assertFalse(functions & (FUNC_MINIMIZE | FUNC_MAXIMIZE))
        self.assertTrue(functions & FUNC_CLOSE)
        if flags & MWM_HINTS_DECORATIONS:
            self.assertFalse(decorations & DECOR_ALL)
            self.assertFalse(decorations & (DECOR_MINIMIZE | DECOR_MAXIMIZE))

    def test_window_shows_the_icon_in_both_sizes(self):
        prop = self.win.get_full_property(self.x.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
        self.assertIsNotNone(prop)
        data, images = list(prop.value), {}
        while data:
            width, height = data[0], data[1]
            images[(width, height)] = data[2:2 + width * height]
            data = data[2 + width * height:]
        self.assertEqual(sorted(images), [(16, 16), (32, 32)])
        for pixels in images.values():
            alphas = {(p >> 24) & 0xFF for p in pixels}
            self.assertEqual(alphas, {0, 255})  # a transparency mask, and opaque drawing
            colours = {p & 0xFFFFFF for p in pixels if p >> 24}
            self.assertLessEqual(len(colours), 16)  # from the 16-colour palette

    def test_screenshot(self):
        path = SCREENSHOT or os.path.join(self.screen.runtime, "window.png")
        self.screen.run(GRABWINDOW, str(self.app.window), path)
        with open(path, "rb") as picture:
            head = picture.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", head[16:24]), (249, 241))

    def test_close_box_ends_the_process(self):
        protocols = self.x.intern_atom("WM_PROTOCOLS")
        delete = self.x.intern_atom("WM_DELETE_WINDOW")
        self.assertIn(delete, self.win.get_wm_protocols())
        event = protocol.event.ClientMessage(window=self.win, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.win.send_event(event, event_mask=0)
        self.x.flush()
        wait_for(self.app.exited, "the process to end", LIMIT)
        self.assertEqual(self.app.process.returncode, 0)
        self.assertEqual(self.app.windows(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)

"""The real tarnwick window on a real X server: size, place, fixed frame and icon."""
import os
import unittest

from Xlib import X

from desktop import Display, Tarnwick, frame_of, x_window


class WindowOnX(unittest.TestCase):
    def setUp(self):
        self.display = Display("1024x768x24")
        self.addCleanup(self.display.close)
        self.app = Tarnwick(self.display, os.environ["TARNWICK"])
        self.addCleanup(self.app.kill)
        self.x, self.win = x_window(self.display.name, self.app.window)
        self.addCleanup(self.x.close)

    def test_client_area_size_and_position(self):
        geometry = self.win.get_geometry()
        self.assertEqual((geometry.width, geometry.height), (249, 241))
        origin = self.win.translate_coords(self.x.screen().root, 0, 0)
        left, top = -origin.x, -origin.y
        self.assertLessEqual(abs(left + 249 / 2 - 1024 / 2), 1.5)
        self.assertLessEqual(abs(top + 241 / 2 - 768 / 2), 1.5)

    def test_frame_cannot_be_resized_maximized_or_minimized(self):
        frame = frame_of(self.display.name, self.app.window)
        self.assertEqual((frame["smallest"], frame["largest"]), ((249, 241), (249, 241)))
        self.assertFalse(frame["minimize or maximize"])
        self.assertTrue(frame["close"])

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


if __name__ == "__main__":
    unittest.main(verbosity=2)

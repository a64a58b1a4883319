"""zdriver against the real program: texts survive the trip through the pipe unchanged,
rectangles agree with each other, focus follows the user, and bad commands are refused
without ending the driver."""

import subprocess
import unittest

from harness import (MAIN_WINDOW, WS_EX_LAYERED, WS_VISIBLE, DriverError, ZorvaneSession, main,
                     main_window, wait_until)


class DriverTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = cls.enterClassContext(ZorvaneSession())
        cls.driver = cls.session.driver

    def test_texts_round_trip_unchanged(self):
        label = self.session.control(main_window.ABOUT_VERSION).hwnd
        texts = ["plain", "中文 和  两个空格", " leading and trailing blanks ", "tab\there",
                 'quotes " and back\\slash \\n', "outside the BMP: 😀𠀀", "}{,:[]", ""]
        for text in texts:
            with self.subTest(text=text):
                self.driver.set_text(label, text)
                self.assertEqual(self.driver.text(label), text)
                self.assertEqual(self.session.control(main_window.ABOUT_VERSION).text, text)

    def test_window_title_is_its_text(self):
        window = self.session.main_window()
        self.driver.set_text(window.hwnd, "标题 title")
        try:
            self.assertEqual(self.session.main_window().title, "标题 title")
        finally:
            self.driver.set_text(window.hwnd, "")

    def test_rectangles_agree(self):
        window = self.session.main_window()
        controls = self.session.controls()
        origin = window.client
        for name, control in controls.items():
            with self.subTest(control=name):
                self.assertEqual(control.screen, control.in_window.moved(origin.left, origin.top))
                parent = controls.get(control.parent_name)
                offset = parent.in_window if parent is not None else None
                if control.parent_name == MAIN_WINDOW:
                    self.assertEqual(control.in_parent, control.in_window)
                else:
                    self.assertIsNotNone(offset, control.parent_name)
                    self.assertEqual(control.in_window, control.in_parent.moved(offset.left, offset.top))
                self.assertEqual(control.visible_style, bool(control.style & WS_VISIBLE))

    def test_focus_follows_a_click_into_an_edit_box(self):
        for name in (main_window.SECONDS, main_window.MINUTES):
            with self.subTest(edit=name):
                box = self.session.control(name)
                self.session.screen.click(*box.screen.centre)
                wait_until(lambda: self.session.control(name).focused, 5, f"{name} to take the focus")
                focused = [c for c in self.session.controls().values() if c.focused]
                self.assertEqual([c.name for c in focused], [name])
                self.assertEqual(self.session.main_window().focus, box.hwnd)

    def test_typed_keys_reach_the_edit_box_under_the_pointer(self):
        box = self.session.control(main_window.SECONDS)
        self.driver.set_text(box.hwnd, "")
        self.session.screen.click(*box.screen.centre)
        self.session.screen.type("42")
        wait_until(lambda: self.driver.text(box.hwnd) == "42", 5, "the typed 42 in 秒钟")

    def test_layered_answer_matches_the_window_style(self):
        window = self.session.main_window()
        layered = self.driver.layered(window.hwnd)
        self.assertEqual(layered.layered_style, bool(window.ex_style & WS_EX_LAYERED))
        if not layered.layered_style:
            self.assertFalse(layered.has_attributes)

    def test_bad_commands_are_refused_and_the_driver_carries_on(self):
        window = self.session.main_window()
        for command, error in (("frobnicate", "unknown command"), ("text", "no such window"),
                               ("text 0x", "no such window"), ("controls 12abc", "no such window"),
                               ("layered -5", "no such window"), ("close 4294967295", "no such window")):
            with self.subTest(command=command):
                with self.assertRaisesRegex(DriverError, error):
                    self.driver.command(command)
        self.assertEqual(self.driver.command(f"text 0x{window.hwnd:x}")["hwnd"], window.hwnd)

    def test_one_shot_mode_answers_like_serve_mode(self):
        one_shot = subprocess.run(["wine", self.driver.exe, "windows"], env=self.session.env,
                                  capture_output=True, timeout=30, check=True)
        self.assertIn(('"name":"%s"' % MAIN_WINDOW).encode(), one_shot.stdout)
        self.assertIn(('"hwnd":%d' % self.session.main_window().hwnd).encode(), one_shot.stdout)
        self.assertEqual(one_shot.stdout.count(b"\n"), 1)


if __name__ == "__main__":
    main()

"""The main window as the real program builds it under Wine: where its controls sit, what
they say, what the screen shows, and that Esc ends the program."""

import unittest

from harness import MAIN_WINDOW, Rect, ZorvaneSession, is_dark, is_white, main, main_window

GEOMETRY, COLOURS = main_window.GEOMETRY_SETTINGS, main_window.COLOUR_SETTINGS

# name: (parent, rect in the parent's client area, window class, text or None for "any")
PLACES = {
    main_window.TIME_ENTRY_LABEL: (MAIN_WINDOW, Rect(5, 15, 67, 24), "Static", "倒数时间:"),
    main_window.MINUTES: (MAIN_WINDOW, Rect(74, 15, 32, 24), "Edit", None),
    main_window.TIME_COLON: (MAIN_WINDOW, Rect(106, 12, 8, 24), "Static", ":"),
    main_window.SECONDS: (MAIN_WINDOW, Rect(119, 15, 32, 24), "Edit", None),
    main_window.REMAINING_LABEL: (MAIN_WINDOW, Rect(5, 52, 67, 24), "Static", "倒数秒数:"),
    main_window.REMAINING: (MAIN_WINDOW, Rect(74, 52, 79, 24), "Edit", None),
    main_window.START: (MAIN_WINDOW, Rect(162, 10, 32, 32), "Button", "B"),
    main_window.PAUSE: (MAIN_WINDOW, Rect(202, 9, 32, 32), "Button", "P"),
    main_window.FOLD: (MAIN_WINDOW, Rect(161, 49, 32, 32), "Button", None),
    main_window.EXIT: (MAIN_WINDOW, Rect(202, 48, 32, 32), "Button", None),
    main_window.ABOUT_TITLE: (MAIN_WINDOW, Rect(340, 1, 72, 24), "Static", "关于软件"),
    main_window.ABOUT_COPYRIGHT: (MAIN_WINDOW, Rect(261, 39, 251, 25), "Static",
                                  "Quillomar工作室 版权所有"),
    main_window.HELP_BUTTON: (MAIN_WINDOW, Rect(285, 64, 75, 21), "Button", "软件提示"),
    main_window.NOTES_BUTTON: (MAIN_WINDOW, Rect(381, 64, 75, 21), "Button", "更新说明"),
    main_window.GEOMETRY_SETTINGS: (MAIN_WINDOW, Rect(380, 152, 86, 64), None, None),
    main_window.COLOUR_SETTINGS: (MAIN_WINDOW, Rect(485, 106, 165, 64), None, None),
    # Inside the hidden containers, placed relative to them (some above their top edge).
    main_window.DIGIT_WIDTH_LETTER: (GEOMETRY, Rect(9, 2, 10, 15), "Static", "W"),
    main_window.DIGIT_WIDTH: (GEOMETRY, Rect(24, 2, 54, 15), "Edit", None),
    main_window.SEGMENT_GAP_LETTER: (GEOMETRY, Rect(9, 43, 10, 15), "Static", "S"),
    main_window.SEGMENT_GAP: (GEOMETRY, Rect(24, 44, 54, 15), "Edit", None),
    main_window.BACKGROUND_COLOUR_LETTER: (COLOURS, Rect(12, -1, 16, 24), "Static", "B"),
    main_window.BACKGROUND_COLOUR: (COLOURS, Rect(29, 3, 48, 16), None, None),
    main_window.ALARM_COLOUR_LETTER: (COLOURS, Rect(101, -4, 16, 24), "Static", "A"),
    main_window.SEPARATOR_COLOUR: (COLOURS, Rect(101, 23, 48, 16), None, None),
    main_window.SAVE: (COLOURS, Rect(95, 40, 56, 21), "Button", "SAVE"),
}

CONTAINERS = (GEOMETRY, COLOURS)


class MainWindowTest(unittest.TestCase):
    """One program run, looked at from every side."""

    @classmethod
    def setUpClass(cls):
        cls.session = cls.enterClassContext(ZorvaneSession())
        cls.window = cls.session.main_window()
        cls.controls = cls.session.controls()

    def test_window_is_a_visible_topmost_bar_without_title(self):
        window = self.window
        self.assertTrue(window.visible)
        # Folded and docked at the bottom-right corner of the 1920x1080 screen.
        self.assertEqual(window.rect, Rect(1670, 986, 250, 94))
        self.assertTrue(window.topmost, f"exstyle {window.ex_style:#x} lacks WS_EX_TOPMOST")
        self.assertEqual(window.title, "")
        # A dialog frame all round, no title bar: the client area sits evenly inside.
        self.assertTrue(window.rect.contains_rect(window.client), (window.rect, window.client))
        self.assertEqual(window.client.left - window.rect.left, window.rect.right - window.client.right)
        self.assertEqual(window.client.top - window.rect.top, window.rect.bottom - window.client.bottom)
        self.assertTrue(Rect(0, 0, 1920, 1080).contains_rect(window.rect), window.rect)

    def test_every_control_is_named_by_a_constant_of_the_header(self):
        self.assertCountEqual(self.controls, main_window.controls)

    def test_controls_sit_where_the_layout_puts_them(self):
        for name, (parent, rect, class_name, text) in PLACES.items():
            with self.subTest(control=name):
                self.assertIn(name, self.controls)
                control = self.controls[name]
                self.assertEqual(control.parent_name, parent)
                self.assertEqual(control.in_parent, rect)
                if class_name is not None:
                    self.assertEqual(control.class_name, class_name)
                if text is not None:
                    self.assertEqual(control.text, text)

    def test_container_children_move_with_their_container(self):
        for name, (parent, rect, _, _) in PLACES.items():
            if parent not in CONTAINERS:
                continue
            with self.subTest(control=name):
                container = self.controls[parent].in_window
                self.assertEqual(self.controls[name].in_window,
                                 rect.moved(container.left, container.top))

    def test_hidden_containers_hide_what_they_hold(self):
        for name, control in self.controls.items():
            with self.subTest(control=name):
                if name in CONTAINERS:
                    self.assertFalse(control.visible_style)
                    self.assertFalse(control.visible)
                elif control.parent_name in CONTAINERS:
                    self.assertTrue(control.visible_style)   # shown itself ...
                    self.assertFalse(control.visible)        # ... inside a hidden box
                else:
                    self.assertTrue(control.visible)

    def test_screen_shows_the_labels_and_pictures(self):
        shot = self.session.screenshot()
        shot.save_artifact("main_window_smoke")
        self.assertEqual((shot.width, shot.height), (self.window.client.width, self.window.client.height))
        background = self.session.background_point()
        self.assertTrue(is_white(shot.pixel(background[0] - self.window.client.left,
                                            background[1] - self.window.client.top)))

        entry_label = shot.crop(self.controls[main_window.TIME_ENTRY_LABEL].in_window)
        remaining_label = shot.crop(self.controls[main_window.REMAINING_LABEL].in_window)
        for name, label in ((main_window.TIME_ENTRY_LABEL, entry_label),
                            (main_window.REMAINING_LABEL, remaining_label)):
            with self.subTest(label=name):
                dark = label.count(is_dark)
                white = label.count(is_white)
                self.assertGreater(dark, 60, f"{name} shows almost no text")
                self.assertGreater(white, label.width * label.height // 2, f"{name} is not on white")

        # "倒数时间:" and "倒数秒数:" share their first two characters in the same font:
        # those columns match, the rest differs. Blank or placeholder glyphs would match all
        # the way (or show nothing).
        def column(image, x):
            return [image.pixel(x, y) for y in range(image.height)]
        differing = [x for x in range(entry_label.width)
                     if column(entry_label, x) != column(remaining_label, x)]
        self.assertTrue(differing, "both labels look the same: the characters are not drawn")
        shared = entry_label.crop(Rect(0, 0, differing[0], entry_label.height))
        self.assertGreaterEqual(differing[0], 20, "the shared characters 倒数 differ on screen")
        self.assertGreater(shared.count(is_dark), 30, "the shared characters 倒数 are not drawn")

        for name in (main_window.START, main_window.PAUSE, main_window.FOLD, main_window.EXIT):
            with self.subTest(button=name):
                picture = shot.crop(self.controls[name].in_window.inset(4))
                coloured = picture.count(lambda rgb: not is_white(rgb, 40))
                self.assertGreater(coloured, picture.width * picture.height // 4,
                                   f"the {name} button shows no picture")


class EscapeTest(unittest.TestCase):
    def test_escape_in_the_window_ends_the_program(self):
        with ZorvaneSession() as session:
            x, y = session.background_point()
            session.screen.click(x, y)  # gives the window the keyboard
            session.screen.key("Escape")
            self.assertEqual(session.wait_for_exit(timeout=15), 0)
            self.assertIsNone(session.window(MAIN_WINDOW))


if __name__ == "__main__":
    main()

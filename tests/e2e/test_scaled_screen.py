"""The program on a screen of 144 DPI (150 %), in a Wine prefix of its own, beside the same
program on the usual 96-DPI screen. Every length is the 96-DPI one scaled by one rule,
edge by edge: the bar docks where it should and the gear widens it, the display has its
size and place and its digits read back from the screen, the labels' glyphs are half as
tall again, and the help window shows its page at that scale."""

import unittest

from harness import (DISPLAY, HELP, Rect, ZorvaneSession, expand, help_window, is_dark, main,
                     main_window, press_escape_in, required_env, scaled, timed_click, wait_gone,
                     wait_until, wine_env)

DPI = 144
SCREEN = Rect(0, 0, 1920, 1080)
BACKGROUND = (212, 212, 212)  # the display's, as the screen shows it
UNLIT = (236, 236, 236)

# Which of the segments a (top), b (upper right), c (lower right), d (bottom), e (lower
# left), f (upper left) and g (middle) each digit lights.
DIGITS = {"abcdef": 0, "bc": 1, "abdeg": 2, "abcdg": 3, "bcfg": 4, "acdfg": 5, "acdefg": 6,
          "abc": 7, "abcdefg": 8, "abcdfg": 9}
# Where each segment crosses its middle, as fractions of the digit's box.
SEGMENT_MIDDLES = {"a": (0.5, 0.04), "b": (0.93, 0.27), "c": (0.93, 0.73), "d": (0.5, 0.96),
                   "e": (0.07, 0.73), "f": (0.07, 0.27), "g": (0.5, 0.5)}


def scaled_session(**options) -> ZorvaneSession:
    return ZorvaneSession(env=wine_env(required_env("ZORVANE_WINE_STATE_144")), **options)


def ink_rows(shot, rect: Rect) -> int:
    """How many rows of the rectangle hold a dark pixel: the height of a label's glyphs.
    Some labels reach beyond the client area's right edge."""
    part = shot.crop(Rect(rect.left, rect.top, min(rect.width, shot.width - rect.left),
                          rect.height))
    return sum(1 for y in range(part.height)
               if any(is_dark(part.pixel(x, y)) for x in range(part.width)))


def digit_boxes(shot) -> list[Rect]:
    """The boxes of the display's digits: runs of columns where segments are drawn (lit or
    unlit, every segment is drawn), the narrow run of the colon left out."""
    def drawn(x, y):
        return shot.pixel(x, y) != BACKGROUND
    columns = [any(drawn(x, y) for y in range(shot.height)) for x in range(shot.width)]
    runs, start = [], None
    for x, on in enumerate(columns + [False]):
        if on and start is None:
            start = x
        elif not on and start is not None:
            runs.append((start, x))
            start = None
    widest = max(end - begin for begin, end in runs)
    boxes = []
    for begin, end in runs:
        if end - begin < widest // 2:
            continue  # the colon's dots
        rows = [y for y in range(shot.height) if any(drawn(x, y) for x in range(begin, end))]
        boxes.append(Rect(begin, rows[0], end - begin, rows[-1] + 1 - rows[0]))
    return boxes


def read_digit(shot, box: Rect) -> int | None:
    lit = "".join(name for name, (fx, fy) in SEGMENT_MIDDLES.items()
                  if shot.pixel(box.left + round(fx * (box.width - 1)),
                                box.top + round(fy * (box.height - 1))) != UNLIT)
    return DIGITS.get("".join(sorted(lit)))


class ScaledBarTest(unittest.TestCase):
    def test_the_bar_docks_at_its_scaled_size_and_the_gear_widens_it(self):
        with scaled_session() as session:
            self.assertEqual(session.main_window().rect, Rect(1545, 939, 375, 141))
            expand(session, width=765)
            self.assertEqual(session.main_window().rect, Rect(1155, 939, 765, 141))
            session.screen.click(*session.control(main_window.FOLD).screen.centre)
            wait_until(lambda: session.main_window().rect.width == 375 or None, 5,
                       "the bar to fold")
            self.assertEqual(session.main_window().rect, Rect(1545, 939, 375, 141))

    def test_every_control_and_glyph_is_the_96_dpi_one_half_as_large_again(self):
        with ZorvaneSession() as usual, scaled_session() as large:
            expand(usual)
            expand(large, width=765)
            usual_controls, large_controls = usual.controls(), large.controls()
            self.assertEqual(set(large_controls), set(usual_controls))
            for name, control in usual_controls.items():
                with self.subTest(control=name):
                    self.assertEqual(large_controls[name].in_parent, control.in_parent.scaled(DPI))

            usual_shot, large_shot = usual.screenshot(), large.screenshot()
            large_shot.save_artifact("bar_at_144_dpi")
            for label in (main_window.TIME_ENTRY_LABEL, main_window.REMAINING_LABEL,
                          main_window.ABOUT_COPYRIGHT):
                with self.subTest(label=label):
                    small = ink_rows(usual_shot, usual_controls[label].in_window)
                    big = ink_rows(large_shot, large_controls[label].in_window)
                    self.assertGreater(small, 5)
                    print(f"{label}: glyphs {small} rows at 96 DPI, {big} at 144")
                    self.assertTrue(1.3 <= big / small <= 1.7, (small, big))


class ScaledDisplayTest(unittest.TestCase):
    def test_the_display_of_four_fifty_nine_has_its_scaled_size_place_and_digits(self):
        with scaled_session() as session:
            for name, text in ((main_window.MINUTES, "4"), (main_window.SECONDS, "59")):
                session.screen.click(*session.control(name).screen.centre)
                session.screen.type(text)
            timed_click(session, main_window.START)
            display = session.wait_for_window(DISPLAY, 5)
            self.assertEqual(display.rect, Rect(520, 382, 879, 316))
            # Held still, the display shows what the bar says is left.
            timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None,
                       5, "the pause")
            left = int(session.driver.text(session.control(main_window.REMAINING).hwnd))
            shot = session.screenshot(DISPLAY)
            shot.save_artifact("display_at_144_dpi")
            boxes = digit_boxes(shot)
            self.assertEqual(len(boxes), 4, boxes)
            digits = [read_digit(shot, box) for box in boxes]
            self.assertEqual(digits, [0, left // 60, (left % 60) // 10, left % 10])
            self.assertGreaterEqual(left, 290)


class ScaledHelpWindowTest(unittest.TestCase):
    def test_the_help_window_is_the_96_dpi_one_half_as_large_again(self):
        with ZorvaneSession() as usual, scaled_session() as large:
            windows = []
            for session, width in ((usual, 510), (large, 765)):
                expand(session, width=width)
                session.screen.click(*session.control(main_window.HELP_BUTTON).screen.centre)
                windows.append(session.wait_for_window(HELP))
            usual_help, large_help = windows
            width, height = scaled(usual_help.rect.width, DPI), scaled(usual_help.rect.height, DPI)
            self.assertEqual(large_help.rect, Rect((SCREEN.width - width) // 2,
                                                   (SCREEN.height - height) // 2, width, height))
            usual_controls, large_controls = usual.controls(HELP), large.controls(HELP)
            for name, control in usual_controls.items():
                with self.subTest(control=name):
                    self.assertEqual(large_controls[name].in_parent, control.in_parent.scaled(DPI))

            # The big picture shows the bar as large as the bar itself is on this screen.
            shot = large.screenshot(HELP)
            shot.save_artifact("help_window_at_144_dpi")
            figure = large_controls[help_window.MAIN_WINDOW_PICTURE].in_window
            picture = shot.crop(Rect(figure.left, figure.top, 375, 141))
            self.assertGreater(picture.count(is_dark), 600, "no main window in the picture")
            press_escape_in(large, HELP)
            wait_gone(large, HELP)


if __name__ == "__main__":
    main()

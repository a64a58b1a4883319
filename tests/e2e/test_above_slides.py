"""The display above a slide show (OnTop=1): a topmost full-screen window of another
program opens over a running countdown and raises itself again and again; each time the
display, and the bar with it, are back above it within a moment, while the slide show keeps
the keyboard. Judged by the Win32 z-order (EnumWindows, GW_HWNDPREV), which is not X's
stacking without a window manager. Without the line the display stays an ordinary window
under the slide show."""

import time
import unittest

from harness import (DISPLAY, MAIN_WINDOW, ZorvaneSession, main, main_window, press_escape_in,
                     wait_gone, wait_until)

ON_TOP = {"MyConfig.ini": "[stage]\r\nOnTop=1\r\n"}
RAISES = 5


def now() -> float:
    """The clock the driver's answers are on."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def start_two_minutes(session: ZorvaneSession) -> None:
    session.driver.set_text(session.control(main_window.MINUTES).hwnd, "2")
    session.driver.set_text(session.control(main_window.SECONDS).hwnd, "0")
    session.driver.click(session.control(main_window.START).hwnd)
    session.wait_for_window(DISPLAY, 5)


class Stage:
    """The z-order of the visible windows that matter: the display, the bar, the slides."""

    def __init__(self, session: ZorvaneSession, slides: int):
        windows, self.foreground = session.driver.zorder()
        self.hwnds = [w["hwnd"] for w in windows]
        self.above = {w["hwnd"]: w["above"] for w in windows}
        self.display = session.window(DISPLAY).hwnd
        self.bar = session.window(MAIN_WINDOW).hwnd
        self.slides = slides

    def place(self, hwnd: int) -> int:
        return self.hwnds.index(hwnd)

    def ours_above_slides(self) -> bool:
        return self.place(self.display) < self.place(self.slides) and \
            self.place(self.bar) < self.place(self.slides)

    def __str__(self) -> str:
        names = {self.display: "display", self.bar: "bar", self.slides: "slides"}
        return " > ".join(names.get(h, str(h)) for h in self.hwnds[:6])


class AboveSlidesTest(unittest.TestCase):
    def test_display_and_bar_go_back_above_a_topmost_slide_show_that_keeps_the_keyboard(self):
        with ZorvaneSession(files=ON_TOP) as session:
            start_two_minutes(session)
            took = []
            for _ in range(RAISES):
                slides, raised = session.driver.cover()
                stage = wait_until(lambda: (s := Stage(session, slides)).ours_above_slides()
                                   and s or None, 3, "the display above the slides",
                                   interval=0.01)
                took.append(now() - raised)
                self.assertEqual(stage.foreground, slides, str(stage))
                self.assertLess(stage.place(stage.display), stage.place(stage.bar), str(stage))
                time.sleep(0.3)
            print(f"z-order once the slides raised themselves: {stage}; display above it: "
                  f"{stage.above[stage.display]}, bar above it: {stage.above[stage.bar]}")
            print("back above the slides after: "
                  + ", ".join(f"{t * 1000:.0f} ms" for t in took))
            # The user clicks the display: Esc there stops the countdown.
            press_escape_in(session, DISPLAY)
            wait_gone(session, DISPLAY)

    def test_without_the_line_the_display_stays_under_the_slides(self):
        with ZorvaneSession() as session:
            start_two_minutes(session)
            slides, _ = session.driver.cover()
            time.sleep(1.5)
            stage = Stage(session, slides)
            print(f"z-order without the line: {stage}")
            self.assertEqual(stage.place(slides), 0, str(stage))
            self.assertEqual(stage.foreground, slides)


if __name__ == "__main__":
    main()

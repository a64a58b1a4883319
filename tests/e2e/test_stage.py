"""A presenter's stage: the screen changes under a running countdown, in a Wine virtual
desktop of its own whose resolution a program can change. At 1280x720, 1024x768 and back
at 1920x1080 the bar docks in the new corner, whole, and the display is centred, within
half a second of the change, while the countdown keeps time and the gear folds and unfolds
as before; a bar the user dragged elsewhere stays while it is whole, and otherwise comes
whole onto the screen. Then the same for a new DPI (WM_DPICHANGED at 144 and back at 96):
the bar and the display at their scaled sizes, every digit of the display whole."""

import time
import unittest

from harness import (DISPLAY, MAIN_WINDOW, Rect, ZorvaneSession, main, main_window, remaining,
                     required_env, scaled, wait_until, wine_env)
from test_scaled_screen import digit_boxes, read_digit

SETTLE_LIMIT = 0.5  # seconds from the change to the windows in their new places
FULL_HD = (1920, 1080)


def stage_session() -> ZorvaneSession:
    return ZorvaneSession(env=wine_env(required_env("ZORVANE_WINE_STATE_DESKTOP")))


def docked(screen: tuple[int, int], width: int = 250, height: int = 94) -> Rect:
    return Rect(screen[0] - width, screen[1] - height, width, height)


def centred(screen: tuple[int, int], width: int = 584, height: int = 210) -> Rect:
    return Rect((screen[0] - width) // 2, (screen[1] - height) // 2, width, height)


def now() -> float:
    """The clock the driver's answers are on."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def settled(session: ZorvaneSession, bar: Rect, display: Rect, since: float) -> float:
    """Waits until the bar and the display are at their places; returns how long after
    `since` they were first seen there."""
    def both_there():
        windows = {w.name: w.rect for w in session.windows()}
        return now() if windows.get(MAIN_WINDOW) == bar and windows.get(DISPLAY) == display \
            else None
    try:
        return wait_until(both_there, 5, f"the bar at {bar} and the display at {display}",
                          interval=0.01) - since
    except Exception:
        print("found:", {w.name: w.rect for w in session.windows()})
        raise


class StageTest(unittest.TestCase):
    def start_three_minutes(self, session: ZorvaneSession) -> float:
        session.driver.set_text(session.control(main_window.MINUTES).hwnd, "3")
        session.driver.set_text(session.control(main_window.SECONDS).hwnd, "0")
        session.driver.click(session.control(main_window.START).hwnd)
        started = time.monotonic()
        session.wait_for_window(DISPLAY, 5)
        return started

    def assert_on_time(self, session: ZorvaneSession, started: float, late: int = 1) -> None:
        # The tick at k seconds shows 180 - k + 1; a pause loses up to a second more.
        expected = 180 - int(time.monotonic() - started) + 1
        self.assertLessEqual(abs(int(remaining(session)) - expected), late)

    def assert_gear_folds(self, session: ZorvaneSession, screen: tuple[int, int],
                          folded: Rect, expanded_width: int) -> None:
        gear = session.control(main_window.FOLD).hwnd
        session.driver.click(gear)
        self.assertEqual(session.main_window().rect,
                         Rect(screen[0] - expanded_width, folded.top, expanded_width,
                              folded.height))
        session.driver.click(gear)
        self.assertEqual(session.main_window().rect, folded)

    def test_bar_and_display_follow_each_resolution_mid_countdown(self):
        with stage_session() as session:
            try:
                self.assertEqual(session.main_window().rect, docked(FULL_HD))
                started = self.start_three_minutes(session)
                for screen in ((1280, 720), (1024, 768), FULL_HD):
                    with self.subTest(screen=screen):
                        called = session.driver.resolution(*screen)
                        took = settled(session, docked(screen), centred(screen), called)
                        print(f"{screen[0]}x{screen[1]}: bar {session.main_window().rect}, "
                              f"display {session.window(DISPLAY).rect}, settled in "
                              f"{took * 1000:.0f} ms")
                        self.assertLess(took, SETTLE_LIMIT)
                        self.assert_on_time(session, started)
                        self.assert_gear_folds(session, screen, docked(screen), 510)
            finally:
                session.driver.resolution(*FULL_HD)

    def test_a_dragged_bar_stays_while_whole_and_else_comes_whole_onto_the_screen(self):
        with stage_session() as session:
            try:
                label = session.control(main_window.TIME_ENTRY_LABEL).screen.centre
                session.screen.drag(label, (label[0] - 770, label[1] - 486))
                dragged = Rect(900, 500, 250, 94)
                wait_until(lambda: session.main_window().rect == dragged or None, 5,
                           "the bar to be dragged")
                self.start_three_minutes(session)
                for screen, bar in (((1280, 720), dragged), ((1024, 768), dragged.moved(-126, 0)),
                                    (FULL_HD, dragged.moved(-126, 0))):
                    with self.subTest(screen=screen):
                        called = session.driver.resolution(*screen)
                        settled(session, bar, centred(screen), called)
            finally:
                session.driver.resolution(*FULL_HD)

    def test_bar_and_display_follow_a_new_dpi_and_back(self):
        with stage_session() as session:
            started = self.start_three_minutes(session)
            bar, display = session.main_window(), session.window(DISPLAY)
            for dpi in (144, 96):
                with self.subTest(dpi=dpi):
                    # Windows suggests the rectangle scaled about its top-left corner.
                    for window, size in ((bar, (250, 94)), (display, (584, 210))):
                        session.driver.dpi_change(window.hwnd, dpi, Rect(
                            window.rect.left, window.rect.top, scaled(size[0], dpi),
                            scaled(size[1], dpi)))
                    sent = now()
                    want_bar = docked(FULL_HD, scaled(250, dpi), scaled(94, dpi))
                    want_display = centred(FULL_HD, *((879, 316) if dpi == 144 else (584, 210)))
                    took = settled(session, want_bar, want_display, sent)
                    print(f"{dpi} DPI: bar {session.main_window().rect}, display "
                          f"{session.window(DISPLAY).rect}, settled in {took * 1000:.0f} ms")
                    self.assert_on_time(session, started, late=2)
                    self.assert_gear_folds(session, FULL_HD, want_bar, scaled(510, dpi))
                    # Held still, the display shows every digit of what the bar says.
                    session.driver.click(session.control(main_window.PAUSE).hwnd)
                    paused = time.monotonic()
                    left = int(remaining(session))
                    shot = session.screenshot(DISPLAY)
                    shot.save_artifact(f"display_after_dpi_change_to_{dpi}")
                    digits = [read_digit(shot, box) for box in digit_boxes(shot)]
                    self.assertEqual(digits, [0, left // 60, (left % 60) // 10, left % 10])
                    session.driver.click(session.control(main_window.PAUSE).hwnd)
                    started += time.monotonic() - paused
                    bar, display = session.main_window(), session.window(DISPLAY)


if __name__ == "__main__":
    main()

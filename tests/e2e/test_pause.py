"""Pausing and resuming a countdown in the real program with the mouse: the time holds
while paused and goes on from the same second, a pause in the last ten seconds keeps the
display faded until the resume, the pause button does nothing without a countdown, and
a resume after zero sounds the alarm again."""

import time
import unittest

from harness import (DISPLAY, LWA_ALPHA, LWA_COLORKEY, AudioRecorder, ZorvaneSession, find_sounds,
                     main, main_window, remaining, start_countdown, timed_click, wait_until)


def wait_for_remaining(session: ZorvaneSession, value: str, timeout: float) -> float:
    wait_until(lambda: remaining(session) == value or None, timeout, f"{value} seconds left")
    return time.monotonic()


class PauseTest(unittest.TestCase):
    def test_pause_holds_the_time_and_resume_goes_on_from_the_same_second(self):
        with ZorvaneSession() as session:
            start_countdown(session, "0", "40")
            session.wait_for_window(DISPLAY, 5)
            wait_for_remaining(session, "37", 10)
            timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None,
                       3, "the pause")
            held = remaining(session)
            picture = session.screenshot(DISPLAY)
            time.sleep(2.5)
            self.assertEqual(remaining(session), held)
            self.assertEqual(session.screenshot(DISPLAY).data, picture.data)
            self.assertEqual(session.control(main_window.START).text, "S")

            resumed = timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "P" or None,
                       3, "the resume")
            # The first tick after the resume comes a whole second later and counts the
            # very next second: none is skipped or repeated.
            changed = wait_for_remaining(session, str(int(held) - 1), 5)
            self.assertGreater(changed - resumed, 0.8)
            self.assertLess(changed - resumed, 2.0)
            wait_for_remaining(session, str(int(held) - 2), 2)

            # A second pause works like the first.
            timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None,
                       3, "pausing again")
            again = remaining(session)
            time.sleep(1.5)
            self.assertEqual(remaining(session), again)

    def test_pause_button_does_nothing_without_a_countdown(self):
        with ZorvaneSession() as session:
            timed_click(session, main_window.PAUSE)
            time.sleep(0.5)
            self.assertEqual(session.control(main_window.PAUSE).text, "P")
            self.assertIsNone(session.window(DISPLAY))
            # And a countdown started afterwards is not paused.
            start_countdown(session, "0", "30")
            session.wait_for_window(DISPLAY, 5)
            wait_for_remaining(session, "29", 5)

    def test_a_fade_in_the_last_ten_seconds_lasts_the_pause_and_resume_brings_it_back(self):
        with ZorvaneSession() as session:
            start_countdown(session, "0", "9")
            display = session.wait_for_window(DISPLAY, 5).hwnd
            wait_for_remaining(session, "7", 6)
            # The fade begins 0.4 s after the redraw and takes 0.2 s; pause once it is done.
            faded = wait_until(lambda: (l := session.driver.layered(display)).flags == LWA_ALPHA
                               and l.alpha < 20 and l or None, 2, "the display to fade")
            timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None,
                       3, "the pause")
            time.sleep(1.5)
            still = session.driver.layered(display)
            self.assertEqual((still.flags, still.alpha), (LWA_ALPHA, faded.alpha))

            timed_click(session, main_window.PAUSE)
            opaque = wait_until(
                lambda: (l := session.driver.layered(display)).flags == LWA_COLORKEY and l or None,
                2.5, "the display to become opaque again")
            self.assertEqual(opaque.key, 0xFFFFFF)

    def test_clicks_stop_for_the_pause_and_start_again_after_it(self):
        with AudioRecorder() as recorder, ZorvaneSession() as session:
            start_countdown(session, "0", "16")
            wait_for_remaining(session, "12", 8)
            paused = timed_click(session, main_window.PAUSE)
            time.sleep(3.5)
            resumed = timed_click(session, main_window.PAUSE)
            wait_for_remaining(session, "9", 6)
            timed_click(session, main_window.START)
            time.sleep(0.5)
            recorder.stop()
            heard = find_sounds(recorder.samples())
        clicks = [h.start for h in heard if h.length < 0.1]
        self.assertFalse([h for h in heard if h.length >= 0.3], heard)  # stopped before zero
        gaps = [b - a for a, b in zip(clicks, clicks[1:])]
        # One silence as long as the pause (the clicks stop with it, and the first tick
        # after the resume, a second later, starts a new ticker); clicks on both sides.
        pause = resumed - paused
        long_gaps = [(i, g) for i, g in enumerate(gaps) if g > 1.5]
        self.assertEqual(len(long_gaps), 1, gaps)
        at, silence = long_gaps[0]
        self.assertGreater(silence, pause - 0.3, gaps)
        self.assertLess(silence, pause + 2.0, gaps)
        self.assertGreaterEqual(at, 2, "clicks before the pause")
        self.assertGreaterEqual(len(clicks) - at - 1, 2, "clicks after the resume")

    def test_pause_and_resume_after_zero_sound_the_alarm_again(self):
        with AudioRecorder() as recorder, ZorvaneSession() as session:
            start_countdown(session, "0", "1")
            wait_for_remaining(session, "0", 5)
            time.sleep(2.5)  # the first alarm rings for two seconds
            timed_click(session, main_window.PAUSE)
            wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None,
                       3, "the pause")
            timed_click(session, main_window.PAUSE)
            time.sleep(3.5)
            recorder.stop()
            rings = [h for h in find_sounds(recorder.samples()) if h.length >= 0.3]
        self.assertGreaterEqual(len(rings), 2, rings)
        # The alarm clip lasts about two seconds; the second alarm begins well after it.
        self.assertGreater(rings[-1].start - rings[0].start, 3.0, rings)


if __name__ == "__main__":
    main()

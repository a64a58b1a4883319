"""A long session: a thousand countdowns started and stopped, two hundred pauses and
resumes, and afterwards the program holds what it held before: the same handles, GDI
objects and threads, and its memory where it was. Run on the test-only build that answers
those figures from inside the process."""

import os
import time
import unittest

from harness import DISPLAY, ZorvaneSession, main, main_window, wait_until

START_STOP_CYCLES = 1000
PAUSE_RESUME_CYCLES = 200
# The C runtime may keep a little more for its own bookkeeping after a long run; a leak
# of even a few bytes a cycle would exceed this after a thousand of them.
HEAP_SLACK_BYTES = 16 * 1024
PRIVATE_SLACK_KILOBYTES = 1024


class SoakTest(unittest.TestCase):
    def setUp(self):
        self.session = self.enterContext(ZorvaneSession(exe=os.environ["ZORVANE_PROBE_EXE"]))
        self.pid = self.session.main_window().pid
        self.start = self.session.control(main_window.START).hwnd
        self.pause = self.session.control(main_window.PAUSE).hwnd

    def figures(self) -> dict[str, int]:
        return self.session.driver.probe(self.pid)

    def set_time(self, minutes: str, seconds: str) -> None:
        self.session.driver.set_text(self.session.control(main_window.MINUTES).hwnd, minutes)
        self.session.driver.set_text(self.session.control(main_window.SECONDS).hwnd, seconds)

    def click(self, hwnd: int) -> None:
        self.assertTrue(self.session.driver.click(hwnd), "a click was not handled")

    def start_stop(self, cycles: int) -> None:
        for _ in range(cycles):
            self.click(self.start)  # the display opens and counts
            self.click(self.start)  # and closes again

    def assert_back_to(self, before: dict[str, int], what: str) -> dict[str, int]:
        # Worker threads finishing their last step (a redraw, a sound being handed back)
        # may take a moment after the last click.
        def settled():
            now = self.figures()
            same = all(now[k] == before[k] for k in ("handles", "gdiObjects", "threads"))
            return now if same else None
        try:
            after = wait_until(settled, 10, f"the counts after {what} to settle")
        except AssertionError:
            after = self.figures()
        print(f"{what}: before {before}, after {after}", flush=True)
        for key in ("handles", "gdiObjects", "threads"):
            with self.subTest(figure=key):
                self.assertEqual(after[key], before[key], f"{key} after {what}")
        self.assertLessEqual(after["heapBytes"] - before["heapBytes"], HEAP_SLACK_BYTES)
        self.assertLessEqual(after["privateKilobytes"] - before["privateKilobytes"],
                             PRIVATE_SLACK_KILOBYTES)
        return after

    def test_figures_are_real(self):
        figures = self.figures()
        for key, value in figures.items():
            with self.subTest(figure=key):
                self.assertGreater(value, 0)
        # The display window brings its own brush and its kept picture, and the program's
        # records of it live on the heap.
        self.set_time("5", "0")
        self.click(self.start)
        self.session.wait_for_window(DISPLAY, 5)
        during = self.figures()
        print(f"idle {figures}, counting {during}", flush=True)
        self.assertGreater(during["gdiObjects"], figures["gdiObjects"])
        self.assertGreater(during["heapBytes"], figures["heapBytes"])
        self.click(self.start)

    def test_a_thousand_starts_and_stops_give_everything_back(self):
        self.set_time("5", "0")
        self.start_stop(3)  # what the first countdowns make once and keep
        before = self.assert_steady()
        began = time.monotonic()
        self.start_stop(START_STOP_CYCLES)
        print(f"{START_STOP_CYCLES} starts and stops in {time.monotonic() - began:.1f} s")
        self.assertIsNone(self.session.window(DISPLAY))
        self.assert_back_to(before, f"{START_STOP_CYCLES} starts and stops")

    def test_two_hundred_pauses_and_resumes_give_everything_back(self):
        # Under half a minute: every resume arms a new warning ticker that clicks.
        self.set_time("0", "25")
        self.start_stop(3)
        before = self.assert_steady()
        self.click(self.start)
        for _ in range(PAUSE_RESUME_CYCLES):
            self.click(self.pause)
            self.click(self.pause)
        self.click(self.start)
        self.assert_back_to(before, f"{PAUSE_RESUME_CYCLES} pauses and resumes")

    def assert_steady(self) -> dict[str, int]:
        """The figures once the workers of the warm-up have ended: two readings alike, further
        apart than the sound output stays open after its last sound (with its threads)."""
        last = self.figures()
        def steady():
            nonlocal last
            time.sleep(2)
            now = self.figures()
            same = all(now[k] == last[k] for k in ("handles", "gdiObjects", "threads"))
            last = now
            return now if same else None
        return wait_until(steady, 20, "the figures to settle after the warm-up")


if __name__ == "__main__":
    main()

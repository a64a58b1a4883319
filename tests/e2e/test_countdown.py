"""A countdown in the real program, driven as a user drives it: minutes and seconds typed
into the bar, play clicked, the display read off the screen, Esc on the display, and the
sounds recorded from the sound server."""

import time
import unittest

from harness import (DISPLAY, NOTES, AudioRecorder, Rect, ZorvaneSession, broken_sounds, expand,
                     find_sounds, main, main_window, remaining, start_countdown, wait_gone,
                     wait_until)

# The default colours as the screen shows them (red, green, blue).
BACKGROUND = (212, 212, 212)
LIT = (0, 0, 0)
UNLIT = (236, 236, 236)
ALARM = (255, 0, 0)
# Sounds that start this soon after a click are pieces of it: the fastest ticking leaves a
# quarter of a second between clicks.
FRAGMENT = 0.15


def close(a, b, tolerance=24):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


class DisplayTest(unittest.TestCase):
    def test_five_seconds_reach_zero_after_six_and_stay(self):
        with ZorvaneSession() as session:
            clicked = start_countdown(session, "0", "5")
            display = session.wait_for_window(DISPLAY, 5)
            # Sized to four digits and the colon, centred on the 1920x1080 screen.
            self.assertEqual(display.rect, Rect(668, 435, 584, 210))
            self.assertEqual(remaining(session), "5")

            shot = session.screenshot(DISPLAY)
            shot.save_artifact("display_00_05")
            expect = {
                "background": ((2, 2), BACKGROUND),
                "first minute, top (lit)": ((65, 15), LIT),
                "first minute, middle (unlit)": ((65, 105), UNLIT),
                "upper dot": ((291, 54), LIT),
                "lower dot": ((291, 154), LIT),
                "first second, top (alarm)": ((393, 15), ALARM),
                "second second, upper left (alarm)": ((466, 55), ALARM),
                "second second, upper right (unlit)": ((566, 55), UNLIT),
                "second second, middle (alarm)": ((516, 105), ALARM),
            }
            for what, ((x, y), colour) in expect.items():
                with self.subTest(point=what):
                    self.assertTrue(close(shot.pixel(x, y), colour), (shot.pixel(x, y), colour))

            wait_until(lambda: remaining(session) == "0" or None, 12, "the count to reach 0")
            elapsed = time.monotonic() - clicked
            self.assertGreater(elapsed, 5.3)
            self.assertLess(elapsed, 8.0)
            time.sleep(2)
            self.assertEqual(remaining(session), "0")
            self.assertIsNotNone(session.window(DISPLAY))
            self.assertEqual(session.control(main_window.START).text, "S")

    def test_white_background_lets_the_desktop_show_through(self):
        settings = "[color]\r\nbgc=16777215\r\n"
        with ZorvaneSession(files={"MyConfig.ini": settings}) as session:
            start_countdown(session, "2", "0")
            session.wait_for_window(DISPLAY, 5)
            shot = session.screenshot(DISPLAY)
            shot.save_artifact("display_white_background")
            # The margin and the inside of a digit are background: the screen behind (the
            # bare X root here) shows there, not white; the digits stay.
            for x, y in ((2, 2), (65, 60), (291, 100)):
                with self.subTest(point=(x, y)):
                    self.assertNotEqual(shot.pixel(x, y), (255, 255, 255))
            self.assertTrue(close(shot.pixel(65, 15), LIT), shot.pixel(65, 15))
            self.assertTrue(close(shot.pixel(65, 105), UNLIT), shot.pixel(65, 105))

    def test_the_settings_file_sizes_and_colours_the_display(self):
        settings = ("[Main]\r\nWidth=60\r\nHigh=100\r\nBorder=10\r\nSpace=1\r\n"
                    "[color]\r\nlc=16711680\r\nalarm=65280\r\nsplit=255\r\n")
        with ZorvaneSession(files={"MyConfig.ini": settings}) as session:
            start_countdown(session, "1", "5")
            display = session.wait_for_window(DISPLAY, 5)
            # Four digits of pitch 63 and the colon: 10 + 63 * 14/3 wide, 100 + 10 high,
            # centred.
            self.assertEqual(display.rect, Rect(808, 485, 304, 110))
            shot = session.screenshot(DISPLAY)
            shot.save_artifact("display_from_settings")
            blue, green, red = (0, 0, 255), (0, 255, 0), (255, 0, 0)
            # 01:05: the first minute digit's top bar, the second's right side, the colon,
            # the seconds in the lit colour while a minute or more is left.
            # Cells at x = 5, 68 (minutes) and 173, 236 (seconds); the upper dot spans
            # (145, 21)-(159, 38).
            for what, (x, y), colour in (("minute 0, top", (35, 10), blue),
                                         ("minute 1, upper right", (123, 30), blue),
                                         ("upper dot", (152, 29), red),
                                         ("second 0, top", (203, 10), blue),
                                         ("second 5, upper left", (178, 30), blue)):
                with self.subTest(point=what):
                    self.assertTrue(close(shot.pixel(x, y), colour), (shot.pixel(x, y), colour))
            # Below a minute the seconds take the alarm colour.
            wait_until(lambda: remaining(session) == "59" or None, 10, "59 seconds left")
            shot = session.screenshot(DISPLAY)
            for what, (x, y) in (("second 5, top", (203, 10)), ("second 9, upper right", (291, 30))):
                with self.subTest(point=what):
                    self.assertTrue(close(shot.pixel(x, y), green), shot.pixel(x, y))
            self.assertTrue(close(shot.pixel(35, 10), blue), shot.pixel(35, 10))

    def test_countdown_reaches_its_alarm_while_the_notes_window_is_open(self):
        with ZorvaneSession() as session:
            start_countdown(session, "0", "4")
            session.wait_for_window(DISPLAY, 5)
            expand(session)
            session.screen.click(*session.control(main_window.NOTES_BUTTON).screen.centre)
            notes = session.wait_for_window(NOTES, 5)
            self.assertFalse(session.window(DISPLAY).enabled)
            wait_until(lambda: remaining(session) == "0" or None, 10, "the count to reach 0")
            self.assertIsNotNone(session.window(NOTES))
            session.screen.click(*notes.client.centre)
            session.screen.key("Escape")
            wait_gone(session, NOTES)
            self.assertTrue(session.window(DISPLAY).enabled)

    def test_escape_on_the_display_stops_the_countdown(self):
        with ZorvaneSession() as session:
            start_countdown(session, "1", "0")
            display = session.wait_for_window(DISPLAY, 5)
            session.screen.click(*display.client.centre)
            session.screen.key("Escape")
            wait_gone(session, DISPLAY)
            self.assertEqual(session.control(main_window.START).text, "B")

    def test_minutes_clamp_to_fifty_nine_as_they_are_typed(self):
        with ZorvaneSession() as session:
            minutes = session.control(main_window.MINUTES)
            session.screen.click(*minutes.screen.centre)
            session.screen.type("65")
            self.assertEqual(session.driver.text(minutes.hwnd), "59")


class BlinkTest(unittest.TestCase):
    def test_the_display_fades_each_second_from_ten_to_one_only(self):
        colour_key, alpha = 1, 2
        with ZorvaneSession() as session:
            start_countdown(session, "0", "13")
            display = session.wait_for_window(DISPLAY, 5).hwnd
            # Looked up once: a poll must be quicker than the 400 ms a picture stays whole.
            shown = session.control(main_window.REMAINING).hwnd
            seen: dict[int, set[int]] = {}
            while (left := session.driver.text(shown)) != "0":
                seen.setdefault(int(left), set()).add(session.driver.layered(display).flags)
                time.sleep(0.03)
            time.sleep(1.5)
            at_zero = session.driver.layered(display)
        for value in (13, 12, 11):
            with self.subTest(left=value):
                self.assertEqual(seen.get(value), {colour_key})
        for value in range(10, 0, -1):
            with self.subTest(left=value):
                self.assertEqual(seen.get(value), {colour_key, alpha})
        self.assertEqual((at_zero.flags, at_zero.key), (colour_key, 0xFFFFFF))


class SoundTest(unittest.TestCase):
    def test_ticker_speeds_up_towards_the_alarm(self):
        with AudioRecorder() as recorder, ZorvaneSession() as session:
            start_countdown(session, "0", "35")
            wait_until(lambda: remaining(session) == "0" or None, 50, "the count to reach 0")
            time.sleep(3)  # the alarm plays for two seconds
            recorder.stop()
            samples = recorder.samples()
            heard = find_sounds(samples)
        self.assertGreater(len(heard), 30, heard)
        first = heard[0].start
        # Clicks are a few hundredths of a second long; the alarm rings for two seconds in
        # two rounds of chimes (each heard as one long sound).
        # A click that a starved output cut in two is still one click, at its onset: what
        # follows a broken sound at once is its rest (the loaded benchmark counts such
        # clicks; here the rhythm is what counts). Two whole clicks are never merged.
        broken = {h.start for h in broken_sounds(samples, heard)}
        clicks: list[float] = []
        cut = None
        for h in heard:
            if cut is not None and h.start - cut < FRAGMENT:
                continue
            cut = h.start if h.start in broken else None
            if h.length < 0.1:
                clicks.append(h.start - first)
        rings = [h.start - first for h in heard if h.length >= 0.3]
        self.assertTrue(rings, heard)
        alarm_at = rings[0]
        gaps = [b - a for a, b in zip(clicks, clicks[1:])]
        # One a second from 30 s left to 10 s left, twice a second to 5 s, then four times.
        # (Upper bounds allow for a busy machine waking the ticker late; each gap is the
        # ticker's own sleep plus that delay, so it is never much shorter.)
        self.assertTrue(all(0.85 < g < 1.35 for g in gaps[:20]), gaps[:20])
        self.assertTrue(all(0.4 < g < 0.8 for g in gaps[20:30]), gaps[20:30])
        self.assertTrue(all(0.18 < g < 0.5 for g in gaps[30:]), gaps[30:])
        # The alarm comes with the zero, 30 s after the first click; the clicks end with it.
        self.assertAlmostEqual(alarm_at, 30.0, delta=0.8)
        self.assertFalse([c for c in clicks if c > alarm_at + 0.3], clicks)
        self.assertTrue(all(r < alarm_at + 2.1 for r in rings), rings)

    def test_nothing_sounds_after_stop(self):
        with AudioRecorder() as recorder, ZorvaneSession() as session:
            start_countdown(session, "0", "8")
            time.sleep(3)
            session.screen.click(*session.control(main_window.START).screen.centre)
            stopped = time.monotonic()
            time.sleep(4)
            recorder.stop()
            heard = find_sounds(recorder.samples())
            recorded = len(recorder.samples()) / 44100
        self.assertGreater(len(heard), 3, heard)
        # Time from the end of the recording back to the last sound's start.
        last = heard[-1].start
        self.assertGreater(recorded - last, 4 - 0.9, heard)
        self.assertFalse([h for h in heard if h.length >= 0.3], heard)  # no alarm


if __name__ == "__main__":
    main()

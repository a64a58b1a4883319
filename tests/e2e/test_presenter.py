"""The presenter's options in the real program: the time over after zero (Overtime=1),
read back from the bar and the screen (99:59 and the whole picture are left to the unit
tests), and the hotkeys pressed with xdotool while another program (Wine's notepad) has
the focus."""

import subprocess
import time
import unittest

from harness import (DISPLAY, LWA_COLORKEY, ZorvaneSession, main, main_window, press_escape_in,
                     remaining, start_countdown, start_process, stop_process, wait_until)

ALARM = (255, 0, 0)
UNLIT = (0xEC, 0xEC, 0xEC)
KEYS = ("[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nPause=Ctrl+Alt+P\r\n"
        "AddMinute=Ctrl+Alt+Up\r\nSubtractMinute=Ctrl+Alt+Down\r\n")


def wait_for_remaining(session: ZorvaneSession, value: str, timeout: float) -> None:
    wait_until(lambda: remaining(session) == value or None, timeout, f"总时间 to show {value}")


class OvertimeTest(unittest.TestCase):
    def test_after_zero_the_time_over_counts_steady_in_the_alarm_colour(self):
        with ZorvaneSession(files={"MyConfig.ini": "[stage]\r\nOvertime=1\r\n"}) as session:
            start_countdown(session, "0", "2")
            session.wait_for_window(DISPLAY, 5)
            wait_for_remaining(session, "-5", 12)
            display = session.window(DISPLAY)
            # One digit cell wider than the countdown's 584x210, centred again.
            self.assertEqual((display.rect.width, display.rect.height), (707, 210))
            self.assertEqual(display.rect.left, (1920 - 707) // 2)
            shot = session.screenshot(DISPLAY)
            shot.save_artifact("overtime_0005")
            # The minus: the first cell's middle bar alone lit, in the alarm colour.
            self.assertEqual([shot.pixel(65, 105), shot.pixel(65, 15)], [ALARM, UNLIT])
            # Steady: opaque and keyed all through the next seconds, no blink.
            for _ in range(12):
                self.assertEqual(session.driver.layered(display.hwnd).flags, LWA_COLORKEY)
                time.sleep(0.1)

            press_escape_in(session, DISPLAY)
            wait_until(lambda: session.window(DISPLAY) is None or None, 5, "Esc to stop")
            self.assertTrue(remaining(session).startswith("-"))


class HotkeysTest(unittest.TestCase):
    def test_each_key_acts_while_another_program_has_the_focus(self):
        with ZorvaneSession(files={"MyConfig.ini": KEYS}) as session:
            seconds = session.control(main_window.SECONDS)
            session.screen.click(*seconds.screen.centre)
            session.screen.type("40")
            notepad = start_process(["wine", "notepad"], env=session.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                self.press_keys_from_notepad(session)
            finally:
                stop_process(notepad)

    def press_keys_from_notepad(self, session: ZorvaneSession) -> None:
        screen = session.screen
        found = wait_until(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--classname", "notepad.exe"],
            env=session.env, capture_output=True, text=True).stdout.split() or None,
            20, "notepad's window")
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[-1]],
                                  env=session.env, capture_output=True, text=True).stdout
        where = dict(line.split("=") for line in geometry.split())
        # Into notepad's page: the pointer stays there, so X gives it every key.
        screen.click(int(where["X"]) + int(where["WIDTH"]) // 2,
                     int(where["Y"]) + int(where["HEIGHT"]) // 2)
        wait_until(lambda: not session.main_window().foreground or None, 5,
                   "notepad to have the focus")

        screen.key("ctrl+alt+s")
        session.wait_for_window(DISPLAY, 5)
        self.assertEqual(session.control(main_window.START).text, "S")
        wait_for_remaining(session, "38", 5)
        screen.key("ctrl+alt+p")
        wait_until(lambda: session.control(main_window.PAUSE).text == "C" or None, 3, "the pause")
        held = int(remaining(session))
        screen.key("ctrl+alt+Up")  # paused: shown at once
        wait_for_remaining(session, str(held + 60), 3)
        screen.key("ctrl+alt+p")
        wait_until(lambda: session.control(main_window.PAUSE).text == "P" or None, 3, "the resume")
        wait_for_remaining(session, str(held + 59), 3)
        screen.key("ctrl+alt+Down")  # running: the next tick shows it
        wait_for_remaining(session, str(held - 2), 3)
        screen.key("ctrl+alt+s")
        wait_until(lambda: session.window(DISPLAY) is None or None, 5, "the stop")
        self.assertEqual(session.control(main_window.START).text, "B")
        self.assertFalse(session.main_window().foreground)


if __name__ == "__main__":
    main()

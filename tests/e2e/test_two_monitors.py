"""The display on a chosen monitor (Monitor=N, Monitor=bar), on an X server with two
monitors (Xorg's dummy driver): 1920x1080 and, on its right, 1280x720. Once with the larger
one as the primary and once with the smaller one, which puts the other at negative x.
Wine reads the monitors once, so the Wine session starts again for each layout."""

import subprocess
import time
import unittest

from harness import (DISPLAY, Rect, ZorvaneSession, main, main_window, required_env, wait_until,
                     wine_env)

LARGE, SMALL = (1920, 1080), (1280, 720)
DISPLAY_SIZE = (584, 210)  # the defaults' display of 4:59


def centred_on(monitor: Rect) -> Rect:
    width, height = DISPLAY_SIZE
    return Rect(monitor.left + (monitor.width - width) // 2,
                monitor.top + (monitor.height - height) // 2, width, height)


def restart_wine(env: dict[str, str], primary_output: str) -> None:
    """Makes `primary_output` the X primary and starts the Wine session afresh."""
    # What Wine leaves running holds on to the output it was given: it gets none.
    quiet = {"env": env, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
    subprocess.run(["wineserver", "-k"], check=False, **quiet)
    subprocess.run(["wineserver", "-w"], check=False, **quiet)
    subprocess.run(["xrandr", "--output", primary_output, "--primary"], check=True, **quiet)
    # A plain query has the server probe its outputs: only then does Wine find both.
    subprocess.run(["xrandr"], check=True, **quiet)
    subprocess.run(["wineserver", "-p"], check=True, **quiet)
    subprocess.run(["wineboot"], check=False, **quiet)


def session_with(env: dict[str, str], monitor: str) -> ZorvaneSession:
    return ZorvaneSession(env=env, files={"MyConfig.ini": f"[stage]\r\nMonitor={monitor}\r\n"})


def start_four_fifty_nine(session: ZorvaneSession) -> Rect:
    session.driver.set_text(session.control(main_window.MINUTES).hwnd, "4")
    session.driver.set_text(session.control(main_window.SECONDS).hwnd, "59")
    session.driver.click(session.control(main_window.START).hwnd)
    return session.wait_for_window(DISPLAY, 5).rect


class TwoMonitorsTest(unittest.TestCase):
    def test_the_display_opens_centred_on_the_monitor_chosen_with_either_primary(self):
        env = wine_env(required_env("ZORVANE_WINE_STATE_MONITORS"))
        try:
            for primary_output, primary_size in (("DUMMY0", LARGE), ("DUMMY1", SMALL)):
                with self.subTest(primary=primary_size):
                    restart_wine(env, primary_output)
                    self.check_layout(env, primary_size)
        finally:
            restart_wine(env, "DUMMY0")

    def check_layout(self, env: dict[str, str], primary_size: tuple[int, int]) -> None:
        with session_with(env, "2") as session:
            monitors = session.driver.monitors()
            print(f"primary {primary_size}: EnumDisplayMonitors gives {monitors}")
            self.assertEqual(len(monitors), 2)
            primary = next(rect for rect, is_primary in monitors if is_primary)
            other = next(rect for rect, is_primary in monitors if not is_primary)
            self.assertEqual((primary.left, primary.top, primary.width, primary.height),
                             (0, 0, *primary_size))
            shown = start_four_fifty_nine(session)
            print(f"Monitor=2: the display at {shown} on {other}")
            self.assertEqual(shown, centred_on(other))
        # A monitor that is not there: the primary.
        with session_with(env, "3") as session:
            self.assertEqual(start_four_fifty_nine(session), centred_on(primary))
        # The bar's monitor, before and after the bar is dragged onto the other one.
        with session_with(env, "bar") as session:
            shown = start_four_fifty_nine(session)
            self.assertEqual(shown, centred_on(primary))
            session.driver.click(session.control(main_window.START).hwnd)
            self.drag_bar_onto(session, other)
            shown = start_four_fifty_nine(session)
            print(f"Monitor=bar, the bar on {other}: the display at {shown}")
            self.assertEqual(shown, centred_on(other))

    def drag_bar_onto(self, session: ZorvaneSession, monitor: Rect) -> None:
        # X input is in X's coordinates, whose origin is the left monitor's corner; Wine's
        # is the primary's.
        origin_x = min(0, monitor.left)
        label = session.control(main_window.TIME_ENTRY_LABEL).screen.centre
        target = (monitor.left + 200, monitor.top + 300)
        session.screen.drag((label[0] - origin_x, label[1]), (target[0] - origin_x, target[1]))
        wait_until(lambda: monitor.contains(*session.main_window().rect.centre) or None, 5,
                   f"the bar on {monitor}")
        time.sleep(0.2)


if __name__ == "__main__":
    main()

"""End-to-end test harness: the real Zorvane.exe under Wine on the virtual X screen.

Three ways to reach the program:

* `Driver`: window messages from zdriver.exe, a small Win32 program under the same Wine
  server, which sees what X cannot (layout names, control texts, focus, layered attributes).
* `XScreen`: X input through xdotool (what a user does) and screenshots of the X screen.
* `ZorvaneSession`: the program itself, started from a fresh folder and always stopped.

    from harness import ZorvaneSession, main, main_window

    class Example(unittest.TestCase):
        def test_typing_minutes(self):
            with ZorvaneSession() as session:
                minutes = session.control(main_window.MINUTES)  # ControlInfo, via zdriver
                session.screen.click(*minutes.screen.centre)    # X input, via xdotool
                session.screen.type("5")
                self.assertEqual(session.driver.text(minutes.hwnd), "5")
                shot = session.screenshot()                     # the client area's pixels
                shot.save_artifact("typing_minutes")

    if __name__ == "__main__":
        main()

Windows and controls are found by the names the program's C++ headers give them
(`control_names`): `main_window.START`, `help_window.LAYOUT_NAME`, `update_notes.OK_BUTTON`.

The environment comes from CTest: ZORVANE_WINE_STATE (the folder that scripts/wine-env.sh
started), ZORVANE_EXE, ZORVANE_DRIVER and ZORVANE_E2E_ARTIFACTS (where screenshots go).

Each module has one job; everything a test, a benchmark or a tool needs is taken from here.
"""

from .actions import expand, press_escape_in, remaining, start_countdown, timed_click, wait_gone
from .control_names import display_window, help_window, main_window, update_notes
from .driver import Driver, DriverError
from .environment import (artifacts_dir, parse_env_file, required_env, started_wine, windows_path,
                          wine_env)
from .errors import HarnessError
from .geometry import Rect, scaled
from .pictures import Image, is_dark, is_white
from .processes import make_folder, remove_folder, start_process, stop_process
from .program import DISPLAY, ELEVEN_LINES, HELP, MAIN_WINDOW, NOTES
from .runner import main
from .screen import XScreen
from .session import ZorvaneSession
from .sound import CHANNELS, RATE, AudioRecorder, Heard, broken_sounds, find_sounds
from .waiting import wait_until
from .window_info import (LWA_ALPHA, LWA_COLORKEY, WS_EX_LAYERED, WS_EX_TOPMOST, WS_VISIBLE,
                          ControlInfo, LayeredInfo, PlainWindow, WindowInfo)

__all__ = [
    "AudioRecorder", "CHANNELS", "ControlInfo", "DISPLAY", "Driver", "DriverError",
    "ELEVEN_LINES", "HELP", "HarnessError", "Heard", "Image", "LWA_ALPHA", "LWA_COLORKEY",
    "LayeredInfo", "MAIN_WINDOW", "NOTES", "PlainWindow", "RATE", "Rect", "WS_EX_LAYERED",
    "WS_EX_TOPMOST", "WS_VISIBLE", "WindowInfo", "XScreen", "ZorvaneSession",
    "artifacts_dir", "broken_sounds", "display_window", "expand", "find_sounds", "help_window",
    "is_dark", "is_white", "main", "main_window", "make_folder", "parse_env_file",
    "press_escape_in", "remaining", "remove_folder", "required_env", "scaled",
    "start_countdown", "started_wine", "start_process", "stop_process", "timed_click",
    "update_notes", "wait_gone", "wait_until", "windows_path", "wine_env",
]

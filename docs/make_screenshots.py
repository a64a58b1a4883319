"""Makes the README's pictures from the real program under Wine on a virtual screen:

    python3 docs/make_screenshots.py      (after a Windows build: scripts/test.sh or run.sh)

- docs/screenshots/bar.png: the bar in its corner, with a time typed in;
- docs/screenshots/display-last-minute.png: the display with 42 seconds left;
- docs/screenshots/screen.png: the whole 1920x1080 screen at that moment, at half size;
- docs/screenshots/display-overtime.png: the display five seconds past zero, with
  `[stage] Overtime=1` in MyConfig.ini;
- docs/screenshots/bar-150.png, display-last-minute-150.png and display-overtime-150.png:
  the same on a screen of 150 % (144 DPI), in a Wine prefix of its own;
- docs/screenshots/above-slides.png: with OnTop=1, the display and the bar above a slide
  show's topmost full-screen window (the driver's), the whole screen at half size.
"""

import os
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import (DISPLAY, Rect, ZorvaneSession, main_window, started_wine,  # noqa: E402
                     wait_until)

BUILD = ROOT / "build" / "win32"
OUT = ROOT / "docs" / "screenshots"
# Each screen: its DPI, its Wine state folder and what its pictures' names end with.
SCREENS = ((96, BUILD / "wine-docs", ""), (144, BUILD / "wine-docs-144", "-150"))


def main() -> None:
    os.environ.update(ZORVANE_EXE=str(BUILD / "app" / "Zorvane.exe"),
                      ZORVANE_DRIVER=str(BUILD / "tests" / "e2e" / "zdriver.exe"))
    for dpi, state, suffix in SCREENS:
        with started_wine(state, dpi) as env:
            take_pictures(env, suffix)
            take_overtime_picture(env, suffix)
            if not suffix:
                take_above_slides(env)
    for picture in sorted(OUT.glob("*.png")):
        print(picture.relative_to(ROOT))


def take_pictures(env: dict[str, str], suffix: str) -> None:
    with ZorvaneSession(env=env) as session:
        for name, text in ((main_window.MINUTES, "0"), (main_window.SECONDS, "45")):
            session.screen.click(*session.control(name).screen.centre)
            session.screen.type(text)
        bar = session.main_window().rect
        margin = 12
        around_bar = Rect(bar.left - margin, bar.top - margin, bar.width + margin,
                          bar.height + margin)
        session.screen.click(*session.control(main_window.START).screen.centre)
        session.wait_for_window(DISPLAY, 5)
        total = session.control(main_window.REMAINING).hwnd
        wait_until(lambda: session.driver.text(total) == "42" or None, 10, "42 seconds left")
        display = session.window(DISPLAY).rect
        screen = session.screen.screenshot()
        screen.crop(around_bar).save_png(OUT / f"bar{suffix}.png")
        screen.crop(display).save_png(OUT / f"display-last-minute{suffix}.png")
        if not suffix:
            whole = screen.save_png(OUT / "screen.png")
            subprocess.run(["convert", whole, "-resize", "50%", whole], check=True)
        session.screen.click(*session.control(main_window.START).screen.centre)


def take_overtime_picture(env: dict[str, str], suffix: str) -> None:
    with ZorvaneSession(env=env, files={"MyConfig.ini": "[stage]\r\nOvertime=1\r\n"}) as session:
        for name, text in ((main_window.MINUTES, "0"), (main_window.SECONDS, "1")):
            session.screen.click(*session.control(name).screen.centre)
            session.screen.type(text)
        session.screen.click(*session.control(main_window.START).screen.centre)
        session.wait_for_window(DISPLAY, 5)
        total = session.control(main_window.REMAINING).hwnd
        wait_until(lambda: session.driver.text(total) == "-5" or None, 15, "5 seconds over")
        session.screenshot(DISPLAY).save_png(OUT / f"display-overtime{suffix}.png")
        session.screen.click(*session.control(main_window.START).screen.centre)


def take_above_slides(env: dict[str, str]) -> None:
    with ZorvaneSession(env=env, files={"MyConfig.ini": "[stage]\r\nOnTop=1\r\n"}) as session:
        session.driver.set_text(session.control(main_window.MINUTES).hwnd, "4")
        session.driver.set_text(session.control(main_window.SECONDS).hwnd, "59")
        session.driver.click(session.control(main_window.START).hwnd)
        session.wait_for_window(DISPLAY, 5)
        slides, _ = session.driver.cover()
        display = session.window(DISPLAY).hwnd

        def display_on_top():
            windows, _ = session.driver.zorder()
            return windows[0]["hwnd"] == display or None
        wait_until(display_on_top, 5, "the display above the slides")
        whole = session.screen.screenshot().save_png(OUT / "above-slides.png")
        subprocess.run(["convert", whole, "-resize", "50%", whole], check=True)
        session.driver.uncover()


if __name__ == "__main__":
    main()

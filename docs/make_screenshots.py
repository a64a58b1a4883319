"""Makes the README's pictures from the real program under Wine on a virtual screen:

    python3 docs/make_screenshots.py      (after a Windows build: scripts/test.sh or run.sh)

- docs/screenshots/bar.png: the bar in its corner, with a time typed in;
- docs/screenshots/display-last-minute.png: the display with 42 seconds left;
- docs/screenshots/screen.png: the whole 1920x1080 screen at that moment, at half size.
"""

import os
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import Rect, ZorvaneSession, wait_until  # noqa: E402

BUILD = ROOT / "build" / "win32"
STATE = BUILD / "wine-docs"
OUT = ROOT / "docs" / "screenshots"


def main() -> None:
    subprocess.run([ROOT / "scripts" / "wine-env.sh", "start", STATE], check=True)
    os.environ.update(ZORVANE_WINE_STATE=str(STATE), ZORVANE_EXE=str(BUILD / "app" / "Zorvane.exe"),
                      ZORVANE_DRIVER=str(BUILD / "tests" / "e2e" / "zdriver.exe"))
    try:
        take_pictures()
    finally:
        subprocess.run([ROOT / "scripts" / "wine-env.sh", "stop", STATE], check=True)


def take_pictures() -> None:
    with ZorvaneSession() as session:
        for name, text in (("分钟", "0"), ("秒钟", "45")):
            session.screen.click(*session.control(name).screen.centre)
            session.screen.type(text)
        bar = session.main_window().rect
        margin = 12
        around_bar = Rect(bar.left - margin, bar.top - margin, bar.width + margin,
                          bar.height + margin)
        session.screen.click(*session.control("开始").screen.centre)
        session.wait_for_window("DisplayWindow", 5)
        total = session.control("总时间").hwnd
        wait_until(lambda: session.driver.text(total) == "42" or None, 10, "42 seconds left")
        display = session.window("DisplayWindow").rect
        screen = session.screen.screenshot()
        screen.crop(around_bar).save_png(OUT / "bar.png")
        screen.crop(display).save_png(OUT / "display-last-minute.png")
        whole = screen.save_png(OUT / "screen.png")
        subprocess.run(["convert", whole, "-resize", "50%", whole], check=True)
        session.screen.click(*session.control("开始").screen.centre)
    for picture in sorted(OUT.glob("*.png")):
        print(picture.relative_to(ROOT))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Makes the help window's two pictures from the program's own folded main window.

    make_help_pictures.py ZORVANE_EXE ZDRIVER_EXE [--output FOLDER]

Starts Zorvane.exe under Wine on a virtual screen of its own (scripts/wine-env.sh in a
temporary state folder), photographs the folded main window and writes two baseline JPEGs:

* help_main_window.jpg, 250 by 94: the whole window, its 3-pixel dialog frame included.
  Whether Wine draws frames on the screen depends on who manages its windows (Wine itself
  in our prefix, a window manager elsewhere), so the frame is painted here from the
  prefix's system colours as Wine paints it: a raised edge, then one pixel of button face.
* help_time_entry.jpg, 166 by 39: the time-entry row ("倒数时间:", the minutes box, ":",
  the seconds box) with both boxes outlined in red; the help window writes "分" and "秒"
  into the outlines. Its rightmost columns hold a sliver of the play button, which the
  help window's picture box cuts off.

Needs Xvfb, Wine, xdotool and ImageMagick, as the end-to-end tests do.
"""

from __future__ import annotations

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import Image, Rect, ZorvaneSession, is_white, wait_until, wine_env  # noqa: E402

FOLDED = Rect(0, 0, 250, 94)
FRAME = 3  # a fixed dialog frame is 3 pixels wide on every side
# The time-entry row's crop, in the client area: from the left edge, 5 pixels above the
# boxes' top, so that the help window's labels fall inside the outlines.
TIME_ENTRY = Rect(0, 5, 166, 39)
OUTLINE = 2  # pixels of red round each box, just outside its own border
RED = (255, 0, 0)
JPEG_QUALITY = 92


def system_colours(env: dict[str, str]) -> dict[str, tuple[int, int, int]]:
    """The prefix's system colours by registry name ("ButtonFace": (245, 245, 245))."""
    answer = subprocess.run(["wine", "reg", "query", r"HKCU\Control Panel\Colors"], env=env,
                            check=True, capture_output=True, text=True).stdout
    colours = {}
    for line in answer.splitlines():
        words = line.split()
        if len(words) == 5 and words[1] == "REG_SZ":
            colours[words[0]] = tuple(int(v) for v in words[2:])
    return colours


class Canvas:
    """A mutable RGB picture, enough to paint frames and outlines."""

    def __init__(self, width: int, height: int, fill: tuple[int, int, int]):
        self.width = width
        self.height = height
        self.data = bytearray(bytes(fill) * (width * height))

    def set(self, x: int, y: int, rgb: tuple[int, int, int]) -> None:
        at = (y * self.width + x) * 3
        self.data[at:at + 3] = bytes(rgb)

    def paste(self, image: Image, left: int, top: int) -> None:
        for y in range(image.height):
            row = image.data[y * image.width * 3:(y + 1) * image.width * 3]
            at = ((top + y) * self.width + left) * 3
            self.data[at:at + len(row)] = row

    def ring(self, rect: Rect, top_left: tuple[int, int, int],
             bottom_right: tuple[int, int, int]) -> None:
        """One pixel round the inside of `rect`: its top and left lines in one colour, its
        bottom and right lines in the other (the bottom-left and top-right corners go to
        the bottom and right, as DrawEdge paints them)."""
        for x in range(rect.left, rect.right):
            self.set(x, rect.top, top_left)
            self.set(x, rect.bottom - 1, bottom_right)
        for y in range(rect.top, rect.bottom - 1):
            self.set(rect.left, y, top_left)
        for y in range(rect.top, rect.bottom):
            self.set(rect.right - 1, y, bottom_right)

    def image(self) -> Image:
        return Image(self.width, self.height, bytes(self.data))


def framed(client: Image, colours: dict[str, tuple[int, int, int]]) -> Image:
    """The client area inside a raised dialog frame, 3 pixels on every side."""
    canvas = Canvas(client.width + 2 * FRAME, client.height + 2 * FRAME, colours["ButtonFace"])
    outer = Rect(0, 0, canvas.width, canvas.height)
    canvas.ring(outer, colours["ButtonLight"], colours["ButtonDkShadow"])
    canvas.ring(outer.inset(1), colours["ButtonHilight"], colours["ButtonShadow"])
    canvas.paste(client, FRAME, FRAME)
    return canvas.image()


def outlined(row: Image, boxes: list[Rect]) -> Image:
    canvas = Canvas(row.width, row.height, (0, 0, 0))
    canvas.paste(row, 0, 0)
    for box in boxes:
        for width in range(1, OUTLINE + 1):
            canvas.ring(box.inset(-width), RED, RED)
    return canvas.image()


def caret_free_shot(session: ZorvaneSession, minutes: Rect, attempts: int = 40) -> Image:
    """The client area at a moment when the caret in the minutes box is off: it blinks, and
    the picture should show an empty box."""
    inside = minutes.inset(2)
    for _ in range(attempts):
        shot = session.screenshot()
        if all(is_white(shot.pixel(x, y)) for x in range(inside.left, inside.right)
               for y in range(inside.top, inside.bottom)):
            return shot
        time.sleep(0.15)
    raise RuntimeError("the minutes box never showed without its caret")


def save_jpeg(image: Image, path: Path) -> None:
    # Baseline (sequential) JPEG without metadata: what the program's decoder takes.
    subprocess.run(["convert", "ppm:-", "-strip", "-interlace", "none", "-sampling-factor",
                    "1x1", "-quality", str(JPEG_QUALITY), f"jpeg:{path}"],
                   input=image.to_ppm(), check=True)


def photograph(output: Path, env: dict[str, str]) -> None:
    with ZorvaneSession(env=env) as session:
        wait_until(lambda: session.main_window().rect.width == FOLDED.width or None, 10,
                   "the main window to be folded")
        session.screen.move(5, 5)  # the pointer out of the picture
        controls = session.controls()
        client = caret_free_shot(session, controls["分钟"].in_window)
        whole = framed(client, system_colours(env))
        if (whole.width, whole.height) != (FOLDED.width, FOLDED.height):
            raise RuntimeError(f"the folded window measures {whole.width}x{whole.height}")
        boxes = [controls[name].in_window.moved(-TIME_ENTRY.left, -TIME_ENTRY.top)
                 for name in ("分钟", "秒钟")]
        row = outlined(client.crop(TIME_ENTRY), boxes)
    output.mkdir(parents=True, exist_ok=True)
    save_jpeg(whole, output / "help_main_window.jpg")
    save_jpeg(row, output / "help_time_entry.jpg")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("exe", help="Zorvane.exe of a Windows build")
    parser.add_argument("driver", help="zdriver.exe of the same build")
    parser.add_argument("--output", type=Path, default=ROOT / "resources" / "pictures")
    args = parser.parse_args()
    os.environ["ZORVANE_EXE"] = str(Path(args.exe).resolve())
    os.environ["ZORVANE_DRIVER"] = str(Path(args.driver).resolve())

    state = Path(tempfile.mkdtemp(prefix="zorvane-help-pictures-"))
    wine_env_script = ROOT / "scripts" / "wine-env.sh"
    try:
        subprocess.run([str(wine_env_script), "start", str(state)], check=True)
        photograph(args.output, wine_env(state))
    finally:
        subprocess.run([str(wine_env_script), "stop", str(state)], check=False)
        shutil.rmtree(state, ignore_errors=True)
    print(f"wrote help_main_window.jpg and help_time_entry.jpg to {args.output}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Makes the help window's two pictures from the program's own folded main window, at
every scale the program carries pictures for.

    make_help_pictures.py ZORVANE_EXE ZDRIVER_EXE [--output FOLDER] [--dpi DPI ...]

For each DPI (96, 120, 144, 168 and 192 unless given), starts Zorvane.exe under Wine on a
virtual screen of that DPI (scripts/wine-env.sh in a temporary state folder), photographs
the folded main window and writes two baseline JPEGs, named without a suffix at 96 DPI
and with the scale (_125, _150, _175, _200) at the others:

* help_main_window.jpg, 250 by 94 at 96 DPI: the whole window, its dialog frame included.
  Whether Wine draws frames on the screen depends on who manages its windows (Wine itself
  in our prefix, a window manager elsewhere), so the frame is painted here from the
  prefix's system colours as Wine paints it: a raised edge, then button face.
* help_time_entry.jpg, 166 by 39 at 96 DPI: the time-entry row ("倒数时间:", the minutes
  box, ":", the seconds box) with both boxes outlined in red; the help window writes "分"
  and "秒" into the outlines. Its rightmost columns hold a sliver of the play button, which
  the help window's picture box cuts off.

At another DPI every length is the one at 96 DPI scaled as the program scales its own.

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

from harness import (Image, Rect, ZorvaneSession, is_white, main_window, scaled,  # noqa: E402
                     started_wine, wait_until)

# At 96 DPI; scaled to the screen's.
FOLDED = Rect(0, 0, 250, 94)
# The time-entry row's crop, in the client area: from the left edge, 5 pixels above the
# boxes' top, so that the help window's labels fall inside the outlines.
TIME_ENTRY = Rect(0, 5, 166, 39)
OUTLINE = 2  # pixels of red round each box, just outside its own border
RED = (255, 0, 0)
JPEG_QUALITY = 92
SCALES = (96, 120, 144, 168, 192)


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


def framed(client: Image, frame: int, colours: dict[str, tuple[int, int, int]]) -> Image:
    """The client area inside a raised dialog frame, `frame` pixels on every side."""
    canvas = Canvas(client.width + 2 * frame, client.height + 2 * frame, colours["ButtonFace"])
    outer = Rect(0, 0, canvas.width, canvas.height)
    canvas.ring(outer, colours["ButtonLight"], colours["ButtonDkShadow"])
    canvas.ring(outer.inset(1), colours["ButtonHilight"], colours["ButtonShadow"])
    canvas.paste(client, frame, frame)
    return canvas.image()


def outlined(row: Image, boxes: list[Rect], outline: int) -> Image:
    canvas = Canvas(row.width, row.height, (0, 0, 0))
    canvas.paste(row, 0, 0)
    for box in boxes:
        for width in range(1, outline + 1):
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


def suffix(dpi: int) -> str:
    return "" if dpi == 96 else f"_{round(dpi * 100 / 96)}"


def photograph(output: Path, env: dict[str, str], dpi: int) -> None:
    folded = FOLDED.scaled(dpi)
    with ZorvaneSession(env=env) as session:
        wait_until(lambda: session.main_window().rect.width == folded.width or None, 10,
                   f"the main window to be folded at {dpi} DPI")
        session.screen.move(5, 5)  # the pointer out of the picture
        window = session.main_window()
        controls = session.controls()
        client = caret_free_shot(session, controls[main_window.MINUTES].in_window)
        whole = framed(client, window.client.left - window.rect.left, system_colours(env))
        if (whole.width, whole.height) != (folded.width, folded.height):
            raise RuntimeError(f"the folded window measures {whole.width}x{whole.height} "
                               f"at {dpi} DPI")
        # Its corner where the rule puts it, its size the 96-DPI size scaled, as the
        # program would show the 96-DPI picture.
        crop = Rect(scaled(TIME_ENTRY.left, dpi), scaled(TIME_ENTRY.top, dpi),
                    scaled(TIME_ENTRY.width, dpi), scaled(TIME_ENTRY.height, dpi))
        boxes = [controls[name].in_window.moved(-crop.left, -crop.top)
                 for name in (main_window.MINUTES, main_window.SECONDS)]
        row = outlined(client.crop(crop), boxes, scaled(OUTLINE, dpi))
    output.mkdir(parents=True, exist_ok=True)
    save_jpeg(whole, output / f"help_main_window{suffix(dpi)}.jpg")
    save_jpeg(row, output / f"help_time_entry{suffix(dpi)}.jpg")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("exe", help="Zorvane.exe of a Windows build")
    parser.add_argument("driver", help="zdriver.exe of the same build")
    parser.add_argument("--output", type=Path, default=ROOT / "resources" / "pictures")
    parser.add_argument("--dpi", type=int, action="append", help="one scale (repeatable)")
    args = parser.parse_args()
    os.environ["ZORVANE_EXE"] = str(Path(args.exe).resolve())
    os.environ["ZORVANE_DRIVER"] = str(Path(args.driver).resolve())

    for dpi in args.dpi or SCALES:
        state = Path(tempfile.mkdtemp(prefix=f"zorvane-help-pictures-{dpi}-"))
        try:
            with started_wine(state, dpi) as env:
                photograph(args.output, env, dpi)
        finally:
            shutil.rmtree(state, ignore_errors=True)
        print(f"wrote help_main_window{suffix(dpi)}.jpg and help_time_entry{suffix(dpi)}.jpg "
              f"to {args.output}")


if __name__ == "__main__":
    main()

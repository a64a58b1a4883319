"""What a user does on the virtual X screen (mouse and keyboard through xdotool), and
screenshots of it."""

from __future__ import annotations

import subprocess
import time

from .environment import wine_env
from .pictures import Image


class XScreen:
    """The virtual X screen: a user's mouse and keyboard (xdotool) and screenshots.

    There is no window manager: the X input focus stays PointerRoot, so key presses go to
    the X window under the pointer. Click into a window (or move onto it) before typing.
    """

    settle = 0.1  # seconds for Wine to take in one input event

    def __init__(self, env: dict[str, str] | None = None):
        self.env = env or wine_env()

    def _xdotool(self, *args: str) -> None:
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def move(self, x: int, y: int) -> None:
        # Not --sync: it blocks for seconds when the pointer is already there.
        self._xdotool("mousemove", str(x), str(y))
        time.sleep(self.settle)

    def click(self, x: int, y: int, button: int = 1) -> None:
        self.move(x, y)
        self._xdotool("click", str(button))
        time.sleep(self.settle)

    def click_here(self, button: int = 1) -> None:
        """Clicks where the pointer is, and returns at once (for timing a click)."""
        self._xdotool("click", str(button))

    def click_now(self, button: int = 1) -> None:
        """Clicks where the pointer is, without the 100 ms that xdotool waits after a click:
        X has the click when this returns (for timing what the click does)."""
        self._xdotool("click", "--delay", "0", str(button))

    def double_click(self, x: int, y: int, gap_ms: int = 80) -> None:
        """Two presses of the left button at one spot, `gap_ms` apart: a user's double click."""
        self.move(x, y)
        self._xdotool("click", "--repeat", "2", "--delay", str(gap_ms), "1")
        time.sleep(self.settle)

    def drag(self, start: tuple[int, int], end: tuple[int, int], steps: int = 8) -> None:
        """Presses the left button at `start`, moves in steps to `end` and lets go."""
        self.move(*start)
        self._xdotool("mousedown", "1")
        time.sleep(self.settle)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self._xdotool("mousemove", str(x), str(y))
            time.sleep(0.03)
        time.sleep(self.settle)
        self._xdotool("mouseup", "1")
        time.sleep(self.settle)

    def key(self, *keys: str) -> None:
        """Presses and releases keys named as X keysyms: "Escape", "Return", "ctrl+a"."""
        self._xdotool("key", "--delay", "30", *keys)
        time.sleep(self.settle)

    def type(self, text: str) -> None:
        self._xdotool("type", "--delay", "30", "--", text)
        time.sleep(self.settle)

    def screenshot(self) -> Image:
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              check=True, capture_output=True, timeout=30)
        return Image.from_ppm(shot.stdout)

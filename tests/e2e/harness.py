"""End-to-end test harness: the real Zorvane.exe under Wine on the virtual X screen.

Three ways to reach the program:

* `Driver`: window messages from zdriver.exe, a small Win32 program under the same Wine
  server, which sees what X cannot (layout names, control texts, focus, layered attributes).
* `XScreen`: X input through xdotool (what a user does) and screenshots of the X screen.
* `ZorvaneSession`: the program itself, started from a fresh folder and always stopped.

    from harness import ZorvaneSession, main

    class Example(unittest.TestCase):
        def test_typing_minutes(self):
            with ZorvaneSession() as session:
                minutes = session.control("分钟")            # ControlInfo, via zdriver
                session.screen.click(*minutes.screen.centre)  # X input, via xdotool
                session.screen.type("5")
                self.assertEqual(session.driver.text(minutes.hwnd), "5")
                shot = session.screenshot()                   # the client area's pixels
                shot.save_artifact("typing_minutes")

    if __name__ == "__main__":
        main()

The environment comes from CTest: ZORVANE_WINE_STATE (the folder that scripts/wine-env.sh
started), ZORVANE_EXE, ZORVANE_DRIVER and ZORVANE_E2E_ARTIFACTS (where screenshots go).
"""

from __future__ import annotations

import atexit
import json
import os
import queue
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Iterable, TypeVar

WS_VISIBLE = 0x10000000
WS_EX_TOPMOST = 0x00000008
WS_EX_LAYERED = 0x00080000

MAIN_WINDOW = "MainWindow"


class HarnessError(AssertionError):
    """Something the test needed did not happen (a window did not appear, a process hung)."""


# --- Waiting ---------------------------------------------------------------------------

T = TypeVar("T")


def wait_until(probe: Callable[[], T], timeout: float, what: str, interval: float = 0.05) -> T:
    """Calls `probe` until it returns something true and returns that; fails after `timeout`
    seconds, saying `what` was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


# --- Environment -----------------------------------------------------------------------

def required_env(name: str) -> str:
    value = os.environ.get(name)
    if not value:
        raise HarnessError(f"the environment variable {name} is not set (run the test through ctest)")
    return value


def parse_env_file(text: str) -> dict[str, str]:
    """The variables of `export K=V` lines, unquoted as the shell would."""
    variables = {}
    for line in text.splitlines():
        words = shlex.split(line, comments=True)
        if len(words) == 2 and words[0] == "export" and "=" in words[1]:
            name, value = words[1].split("=", 1)
            variables[name] = value
    return variables


def wine_env(state_dir: str | os.PathLike | None = None) -> dict[str, str]:
    """This process's environment plus what wine-env.sh exported for the running Wine server."""
    state = Path(state_dir or required_env("ZORVANE_WINE_STATE"))
    env_file = state / "env"
    if not env_file.is_file():
        raise HarnessError(f"no Wine environment in {state}: start it with scripts/wine-env.sh start {state}")
    env = dict(os.environ)
    env.update(parse_env_file(env_file.read_text()))
    return env


def artifacts_dir() -> Path:
    folder = Path(os.environ.get("ZORVANE_E2E_ARTIFACTS") or Path(tempfile.gettempdir()) / "zorvane-e2e")
    folder.mkdir(parents=True, exist_ok=True)
    return folder


def windows_path(path: Path) -> str:
    """How Wine spells a Unix path through its Z: drive."""
    return "Z:" + str(path).replace("/", "\\")


# --- Processes -------------------------------------------------------------------------

_started: list[subprocess.Popen] = []


def start_process(args: list[str], **popen_args) -> subprocess.Popen:
    """Starts a process that the harness stops at the latest when Python exits."""
    process = subprocess.Popen(args, **popen_args)
    _started.append(process)
    return process


def stop_process(process: subprocess.Popen, grace: float = 0.0) -> int:
    """Waits up to `grace` seconds for the process to end, then kills it."""
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    if process in _started:
        _started.remove(process)
    return process.returncode


_folders: list[Path] = []


def make_folder() -> Path:
    """A fresh temporary folder that goes at the latest when Python exits."""
    folder = Path(tempfile.mkdtemp(prefix="zorvane-e2e-")).resolve()
    _folders.append(folder)
    return folder


def remove_folder(folder: Path) -> None:
    shutil.rmtree(folder, ignore_errors=True)
    if folder in _folders:
        _folders.remove(folder)


@atexit.register
def _stop_leftovers() -> None:
    for process in list(_started):
        stop_process(process)
    for folder in list(_folders):
        remove_folder(folder)


def _terminated(signum, frame):  # noqa: ARG001 - the signal handler's signature
    # CTest ends a test that runs too long with SIGTERM: unwind, so every session stops.
    raise KeyboardInterrupt(f"terminated by signal {signum}")


def main() -> None:
    """Runs the calling module's tests; the exit status is non-zero when one fails."""
    signal.signal(signal.SIGTERM, _terminated)
    unittest.main(module="__main__", verbosity=2)


# --- What the driver answers -----------------------------------------------------------

@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    width: int
    height: int

    @property
    def right(self) -> int:
        return self.left + self.width

    @property
    def bottom(self) -> int:
        return self.top + self.height

    @property
    def centre(self) -> tuple[int, int]:
        return self.left + self.width // 2, self.top + self.height // 2

    def contains(self, x: int, y: int) -> bool:
        return self.left <= x < self.right and self.top <= y < self.bottom

    def contains_rect(self, other: Rect) -> bool:
        return (self.left <= other.left and self.top <= other.top
                and other.right <= self.right and other.bottom <= self.bottom)

    def moved(self, dx: int, dy: int) -> Rect:
        return Rect(self.left + dx, self.top + dy, self.width, self.height)

    def inset(self, by: int) -> Rect:
        return Rect(self.left + by, self.top + by, self.width - 2 * by, self.height - 2 * by)

    @classmethod
    def of(cls, value: dict) -> Rect:
        return cls(value["left"], value["top"], value["width"], value["height"])


def _snake(name: str) -> str:
    return re.sub(r"(?<!^)([A-Z])", r"_\1", name).lower()


def _fields(answer: dict, rects: Iterable[str]) -> dict:
    fields = {_snake(key): value for key, value in answer.items()}
    for key in rects:
        fields[key] = Rect.of(fields[key])
    return fields


@dataclass(frozen=True)
class WindowInfo:
    """A top-level window that carries a layout name."""
    name: str
    hwnd: int
    class_name: str
    title: str
    rect: Rect      # outer rectangle on the screen (GetWindowRect)
    client: Rect    # client area on the screen
    visible: bool
    enabled: bool
    style: int
    ex_style: int
    pid: int        # Windows process id
    tid: int
    image: str      # the executable's path as Windows spells it
    owner: int
    foreground: bool
    focus: int      # the focus window of the window's thread, 0 for none

    @property
    def topmost(self) -> bool:
        return bool(self.ex_style & WS_EX_TOPMOST)

    @classmethod
    def of(cls, answer: dict) -> WindowInfo:
        return cls(**_fields(answer, ("rect", "client")))


@dataclass(frozen=True)
class ControlInfo:
    """A control built from a layout table, at any depth inside its window."""
    name: str
    hwnd: int
    id: int
    class_name: str
    text: str
    parent: int
    parent_name: str
    in_window: Rect     # relative to the top-level window's client area
    in_parent: Rect     # relative to its parent's client area
    screen: Rect
    visible: bool       # IsWindowVisible: itself and every ancestor shown
    visible_style: bool  # its own WS_VISIBLE flag
    enabled: bool
    style: int
    ex_style: int
    focused: bool

    @classmethod
    def of(cls, answer: dict) -> ControlInfo:
        return cls(**_fields(answer, ("in_window", "in_parent", "screen")))


@dataclass(frozen=True)
class PlainWindow:
    """A window the program did not build from a layout (a message box, or a control in
    one), as a user sees it."""
    hwnd: int
    class_name: str
    text: str       # the title of a top-level window, the caption or text of a control
    id: int
    visible: bool
    enabled: bool
    style: int
    owner: int
    screen: Rect
    children: tuple[PlainWindow, ...] = ()

    @classmethod
    def of(cls, answer: dict) -> PlainWindow:
        fields = _fields(answer, ("screen",))
        fields["children"] = tuple(cls.of(c) for c in answer.get("children", ()))
        return cls(**fields)


@dataclass(frozen=True)
class LayeredInfo:
    layered_style: bool   # WS_EX_LAYERED is set
    has_attributes: bool  # GetLayeredWindowAttributes succeeded
    key: int
    alpha: int
    flags: int


# --- The driver ------------------------------------------------------------------------

class DriverError(HarnessError):
    """zdriver answered a command with an error."""


class Driver:
    """One long-lived zdriver.exe in serve mode; one command per line, one JSON answer each."""

    def __init__(self, env: dict[str, str] | None = None, exe: str | None = None,
                 answer_timeout: float = 15.0):
        self.env = env or wine_env()
        self.exe = exe or required_env("ZORVANE_DRIVER")
        self.answer_timeout = answer_timeout
        self._answers: queue.Queue[bytes | None] = queue.Queue()
        self._process = start_process(["wine", self.exe], env=self.env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE)
        self._reader = threading.Thread(target=self._read_answers, daemon=True)
        self._reader.start()

    def _read_answers(self) -> None:
        for line in self._process.stdout:
            self._answers.put(line)
        self._answers.put(None)

    def command(self, line: str) -> dict:
        """Sends one command and returns its answer; raises DriverError when it failed."""
        if "\n" in line or "\r" in line:
            raise ValueError("a driver command is one line")
        if self._process.poll() is not None:
            raise HarnessError(f"zdriver has ended (exit code {self._process.returncode})")
        self._process.stdin.write(line.encode("utf-8") + b"\n")
        self._process.stdin.flush()
        try:
            raw = self._answers.get(timeout=self.answer_timeout)
        except queue.Empty:
            # A late answer would be taken for the next command's: this driver is done.
            stop_process(self._process)
            raise HarnessError(f"zdriver did not answer {line!r} within {self.answer_timeout:g} s") from None
        if raw is None:
            raise HarnessError(f"zdriver ended without answering {line!r}")
        answer = json.loads(raw.decode("utf-8"))
        if not answer.get("ok"):
            raise DriverError(f"{line!r}: {answer.get('error')}")
        return answer

    def windows(self) -> list[WindowInfo]:
        return [WindowInfo.of(w) for w in self.command("windows")["windows"]]

    def controls(self, hwnd: int) -> list[ControlInfo]:
        return [ControlInfo.of(c) for c in self.command(f"controls {hwnd}")["controls"]]

    def untagged_windows(self, pid: int) -> list[PlainWindow]:
        """Top-level windows of the Windows process `pid` that carry no layout name (its
        message boxes), each with every window inside it."""
        return [PlainWindow.of(w) for w in self.command(f"untagged {pid}")["windows"]]

    def text(self, hwnd: int) -> str:
        return self.command(f"text {hwnd}")["text"]

    def set_text(self, hwnd: int, text: str) -> None:
        self.command(f"settext {hwnd} {text}")

    def click(self, hwnd: int) -> bool:
        """BM_CLICK, for setting a test up; True when the click was handled within the
        driver's wait (a handler that opens a modal window is not)."""
        return self.command(f"click {hwnd}")["completed"]

    def close(self, hwnd: int) -> None:
        """Posts WM_CLOSE."""
        self.command(f"close {hwnd}")

    def layered(self, hwnd: int) -> LayeredInfo:
        answer = self.command(f"layered {hwnd}")
        return LayeredInfo(answer["layeredStyle"], answer["hasAttributes"], answer["key"],
                           answer["alpha"], answer["flags"])

    def probe(self, pid: int) -> dict[str, int]:
        """What the resource probe build running as process `pid` holds now: handles,
        gdiObjects, threads, privateKilobytes, heapBytes."""
        answer = self.command(f"probe {pid}")
        del answer["ok"]
        return answer

    def shutdown(self) -> None:
        if self._process.poll() is None:
            try:
                self._process.stdin.write(b"exit\n")
                self._process.stdin.close()
            except OSError:
                pass  # it has just ended by itself
        stop_process(self._process, grace=5)
        self._reader.join(timeout=5)
        self._process.stdout.close()

    def __enter__(self) -> Driver:
        return self

    def __exit__(self, *exc) -> None:
        self.shutdown()


# --- Pictures --------------------------------------------------------------------------

class Image:
    """RGB pixels, 8 bits per sample, rows top to bottom."""

    def __init__(self, width: int, height: int, data: bytes):
        if len(data) != width * height * 3:
            raise ValueError(f"{len(data)} bytes do not make {width}x{height} RGB pixels")
        self.width = width
        self.height = height
        self.data = bytes(data)

    @classmethod
    def from_ppm(cls, ppm: bytes) -> Image:
        """Parses a binary PPM (P6), 8- or 16-bit samples."""
        fields = []
        at = 0
        while len(fields) < 4:
            while at < len(ppm) and ppm[at:at + 1].isspace():
                at += 1
            if ppm[at:at + 1] == b"#":
                at = ppm.index(b"\n", at) + 1
                continue
            start = at
            while at < len(ppm) and not ppm[at:at + 1].isspace() and ppm[at:at + 1] != b"#":
                at += 1
            if start == at:
                raise ValueError("truncated PPM header")
            fields.append(ppm[start:at])
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6":
            raise ValueError(f"not a binary PPM: {magic!r}")
        if not 0 < maxval < 65536:
            raise ValueError(f"bad PPM maximum value {maxval}")
        body = ppm[at + 1:]  # exactly one whitespace byte ends the header
        samples = width * height * 3
        if maxval < 256:
            pixels = body[:samples]
            if maxval != 255:
                pixels = bytes(round(v * 255 / maxval) for v in pixels)
        else:
            wide = body[:samples * 2]
            pixels = bytes(round(((wide[i] << 8) | wide[i + 1]) * 255 / maxval)
                           for i in range(0, len(wide), 2))
        if len(pixels) != samples:
            raise ValueError(f"PPM data ends early: {len(pixels)} of {samples} bytes")
        return cls(width, height, pixels)

    def to_ppm(self) -> bytes:
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + self.data

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) is outside the {self.width}x{self.height} image")
        at = (y * self.width + x) * 3
        return self.data[at], self.data[at + 1], self.data[at + 2]

    def crop(self, rect: Rect) -> Image:
        if not Rect(0, 0, self.width, self.height).contains_rect(rect):
            raise IndexError(f"{rect} is not inside the {self.width}x{self.height} image")
        rows = []
        for y in range(rect.top, rect.bottom):
            at = (y * self.width + rect.left) * 3
            rows.append(self.data[at:at + rect.width * 3])
        return Image(rect.width, rect.height, b"".join(rows))

    def pixels(self) -> Iterable[tuple[int, int, tuple[int, int, int]]]:
        for y in range(self.height):
            for x in range(self.width):
                yield x, y, self.pixel(x, y)

    def count(self, predicate: Callable[[tuple[int, int, int]], bool]) -> int:
        return sum(1 for _, _, rgb in self.pixels() if predicate(rgb))

    def save_png(self, path: str | os.PathLike) -> Path:
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["convert", "ppm:-", f"png:{path}"], input=self.to_ppm(), check=True)
        return path

    def save_artifact(self, name: str) -> Path:
        """Saves the picture as NAME.png in the artifacts folder, for people to look at."""
        return self.save_png(artifacts_dir() / f"{name}.png")


def is_dark(rgb: tuple[int, int, int], limit: int = 100) -> bool:
    return max(rgb) < limit


def is_white(rgb: tuple[int, int, int], tolerance: int = 8) -> bool:
    return min(rgb) >= 255 - tolerance


# --- X input and screenshots -----------------------------------------------------------

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


# --- The program -----------------------------------------------------------------------

class ZorvaneSession:
    """Zorvane.exe started from a copy in a fresh folder, stopped on leaving the block.

        with ZorvaneSession(files={"MyConfig.ini": b"..."}) as session:
            session.main_window(); session.controls(); session.screen.click(...)

    The program runs from FOLDER/app/Zorvane.exe with FOLDER/cwd as its working folder, so
    a file written beside the program is never confused with one in the working folder.
    `stop()` closes it (WM_CLOSE) and waits; the folder stays until the block ends, for
    checking what the program wrote on its way out.
    """

    def __init__(self, *, driver: Driver | None = None, files: dict[str, bytes | str] | None = None,
                 args: Iterable[str] = (), start_timeout: float = 30.0, env: dict | None = None,
                 exe: str | None = None):
        self.env = env or wine_env()
        self.source_exe = Path(exe or required_env("ZORVANE_EXE"))
        self.files = files or {}
        self.args = list(args)
        self.start_timeout = start_timeout
        self._own_driver = driver is None
        self.driver = driver
        self.screen = XScreen(self.env)
        self.root: Path | None = None
        self.process: subprocess.Popen | None = None

    # Folders.
    @property
    def folder(self) -> Path:
        """Where Zorvane.exe lies (and where it keeps its files)."""
        return self.root / "app"

    @property
    def exe_path(self) -> Path:
        return self.folder / "Zorvane.exe"

    # Starting and stopping.
    def __enter__(self) -> ZorvaneSession:
        try:
            self.start()
        except BaseException:
            self.cleanup()
            raise
        return self

    def __exit__(self, *exc) -> None:
        self.cleanup()

    def start(self) -> WindowInfo:
        self.root = make_folder()
        self.folder.mkdir()
        (self.root / "cwd").mkdir()
        shutil.copy2(self.source_exe, self.exe_path)
        for name, content in self.files.items():
            data = content.encode("utf-8") if isinstance(content, str) else content
            (self.folder / name).write_bytes(data)
        if self.driver is None:
            self.driver = Driver(self.env)
        self.process = start_process(["wine", str(self.exe_path), *self.args], env=self.env,
                                     cwd=self.root / "cwd")
        return self.wait_for_window(MAIN_WINDOW, self.start_timeout)

    @property
    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def wait_for_exit(self, timeout: float = 15.0) -> int:
        """The program's exit code once it has ended by itself."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"Zorvane.exe still runs {timeout:g} s later") from None

    def stop(self, timeout: float = 15.0) -> int | None:
        """Closes the main window and waits for the process; kills it when it does not end.
        Returns the exit code (None when it had to be killed)."""
        if self.process is None:
            return None
        if self.process.poll() is None:
            window = None
            try:
                window = self.window(MAIN_WINDOW) if self.driver is not None else None
                if window is not None:
                    self.driver.close(window.hwnd)
            except HarnessError:
                window = None  # the window has just gone, or the driver has: kill it
            try:
                self.process.wait(timeout=timeout if window is not None else 0)
            except subprocess.TimeoutExpired:
                pass
        killed = self.process.poll() is None
        code = stop_process(self.process)
        return None if killed else code

    def cleanup(self) -> None:
        try:
            self.stop()
        finally:
            if self._own_driver and self.driver is not None:
                self.driver.shutdown()
                self.driver = None
            if self.root is not None:
                remove_folder(self.root)
                self.root = None

    # Looking at the program's windows.
    def windows(self) -> list[WindowInfo]:
        """The program's tagged top-level windows (not those of other processes)."""
        image = windows_path(self.exe_path).casefold()
        return [w for w in self.driver.windows() if w.image.casefold() == image]

    def window(self, name: str = MAIN_WINDOW) -> WindowInfo | None:
        return next((w for w in self.windows() if w.name == name), None)

    def main_window(self) -> WindowInfo:
        window = self.window(MAIN_WINDOW)
        if window is None:
            raise HarnessError("the main window is not there")
        return window

    def wait_for_window(self, name: str, timeout: float = 10.0, visible: bool = True) -> WindowInfo:
        def probe():
            if not self.running:
                raise HarnessError(f"Zorvane.exe ended (exit code {self.process.returncode}) "
                                   f"while waiting for its window {name!r}")
            window = self.window(name)
            return window if window is not None and window.visible == visible else None
        state = "visible" if visible else "hidden"
        return wait_until(probe, timeout, f"the window {name!r} of Zorvane.exe to be {state}")

    def wait_until_gone(self, hwnd: int, timeout: float = 5.0) -> float:
        """Waits until the program's window `hwnd` has gone; returns the moment (monotonic)
        it was first seen gone. Polled every few milliseconds, for timing a close."""
        wait_until(lambda: all(w.hwnd != hwnd for w in self.windows()), timeout,
                   f"the window {hwnd:#x} of Zorvane.exe to go", interval=0.005)
        return time.monotonic()

    def controls(self, window: str = MAIN_WINDOW) -> dict[str, ControlInfo]:
        found = self.window(window)
        if found is None:
            raise HarnessError(f"the window {window!r} is not there")
        return {c.name: c for c in self.driver.controls(found.hwnd)}

    def control(self, name: str, window: str = MAIN_WINDOW) -> ControlInfo:
        controls = self.controls(window)
        if name not in controls:
            raise HarnessError(f"no control {name!r} in {window!r}; there are {sorted(controls)}")
        return controls[name]

    def background_point(self, window: str = MAIN_WINDOW, margin: int = 4) -> tuple[int, int]:
        """A screen point inside the window's client area that no visible control covers."""
        info = self.window(window)
        if info is None:
            raise HarnessError(f"the window {window!r} is not there")
        covers = [c.screen for c in self.driver.controls(info.hwnd) if c.visible]
        area = info.client.inset(margin)
        for y in range(area.top, area.bottom, 2):
            for x in range(area.left, area.right, 2):
                if not any(r.inset(-margin).contains(x, y) for r in covers):
                    return x, y
        raise HarnessError(f"no free background in {window!r}")

    def screenshot(self, window: str = MAIN_WINDOW, settle_timeout: float = 5.0) -> Image:
        """The window's client area as the X screen shows it (without a window manager
        Wine shows no frame), once two shots in a row agree: painting has finished."""
        info = self.window(window)
        if info is None:
            raise HarnessError(f"the window {window!r} is not there")
        previous = None

        def settled():
            nonlocal previous
            shot = self.screen.screenshot().crop(info.client)
            same = previous is not None and shot.data == previous.data
            previous = shot
            return shot if same else None
        return wait_until(settled, settle_timeout, f"the window {window!r} to finish painting")


if __name__ == "__main__":
    sys.exit("harness.py is a library; run a test_*.py module")

"""zdriver.exe, a small Win32 program under the same Wine server as the program: it sees
what X cannot (layout names, control texts, focus, layered attributes) and sends window
messages, and changes the screen under it (resolution, DPI)."""

from __future__ import annotations

import json
import queue
import subprocess
import threading

from .environment import required_env, wine_env
from .errors import HarnessError
from .geometry import Rect
from .processes import start_process, stop_process
from .window_info import ControlInfo, LayeredInfo, PlainWindow, WindowInfo


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

    def resolution(self, width: int, height: int) -> float:
        """Changes the primary screen's resolution (in a Wine virtual desktop); returns when
        the call was made, in seconds of CLOCK_MONOTONIC_RAW, the clock of Wine's
        QueryPerformanceCounter."""
        return self.command(f"resolution {width} {height}")["calledAtUs"] / 1e6

    def dpi_change(self, hwnd: int, dpi: int, suggested: Rect) -> None:
        """Sends the window WM_DPICHANGED for `dpi` with the suggested rectangle."""
        self.command(f"dpichange {hwnd} {dpi} {suggested.left} {suggested.top} "
                     f"{suggested.right} {suggested.bottom}")

    def cover(self) -> tuple[int, float]:
        """A slide show going full screen: a topmost window of the driver over the primary
        monitor, activated; again, it raises and activates itself once more. Returns its
        handle and when that was done (seconds of CLOCK_MONOTONIC_RAW)."""
        answer = self.command("cover")
        return answer["hwnd"], answer["calledAtUs"] / 1e6

    def uncover(self) -> None:
        self.command("uncover")

    def zorder(self) -> tuple[list[dict], int]:
        """Every visible top-level window, top first (hwnd, name, className, pid, topmost,
        above: the window GW_HWNDPREV gives), and the foreground window."""
        answer = self.command("zorder")
        return answer["windows"], answer["foreground"]

    def monitors(self) -> list[tuple[Rect, bool]]:
        """Every monitor in EnumDisplayMonitors order, with whether it is the primary."""
        return [(Rect.of(m), m["primary"]) for m in self.command("monitors")["monitors"]]

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

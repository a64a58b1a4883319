"""The program itself: started from a copy in a fresh folder and always stopped, and its
windows and controls found by their layout names."""

from __future__ import annotations

import shutil
import subprocess
import time
from pathlib import Path
from typing import Iterable

from .driver import Driver
from .environment import required_env, windows_path, wine_env
from .errors import HarnessError
from .pictures import Image
from .processes import make_folder, remove_folder, start_process, stop_process
from .program import MAIN_WINDOW
from .screen import XScreen
from .waiting import wait_until
from .window_info import ControlInfo, WindowInfo


class ZorvaneSession:
    """Zorvane.exe started from a copy in a fresh folder, stopped on leaving the block.

        with ZorvaneSession(files={"MyConfig.ini": b"..."}) as session:
            session.main_window(); session.controls(); session.screen.click(...)

    The program runs from FOLDER/app/Zorvane.exe with FOLDER/cwd as its working folder, so
    a file written beside the program is never confused with one in the working folder.
    `stop()` closes it (WM_CLOSE) and waits; the folder stays until the block ends, for
    checking what the program wrote on its way out.

    The lines the program leaves for a debugger when it lets a failure pass are read from
    what Wine prints of its debug output (a warning of the seh channel in Wine 8); leaving
    the block fails on any that is not among `expected_failures` (each matched as the start
    of a line).
    """

    def __init__(self, *, driver: Driver | None = None, files: dict[str, bytes | str] | None = None,
                 args: Iterable[str] = (), start_timeout: float = 30.0, env: dict | None = None,
                 exe: str | None = None, expected_failures: Iterable[str] = ()):
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
        self.expected_failures = tuple(expected_failures)

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

    def __exit__(self, exc_type, *exc) -> None:
        try:
            self.stop()
            unexpected = [line for line in self.failure_lines()
                          if not line.startswith(self.expected_failures)]
        finally:
            self.cleanup()
        if exc_type is None and unexpected:
            raise HarnessError(f"the program let failures pass: {unexpected}")

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
        # Wine 8 prints the program's debug output as a warning of its seh channel.
        env = {**self.env, "WINEDEBUG": "-all,warn+seh"}
        with open(self.root / "wine-stderr.txt", "wb") as stderr:
            self.process = start_process(["wine", str(self.exe_path), *self.args], env=env,
                                         cwd=self.root / "cwd", stderr=stderr)
        return self.wait_for_window(MAIN_WINDOW, self.start_timeout)

    def failure_lines(self) -> list[str]:
        """What the program said of the failures it let pass, so far, in order."""
        path = self.root / "wine-stderr.txt" if self.root is not None else None
        if path is None or not path.exists():
            return []
        lines = []
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            if ":OutputDebugStringA " in line and "Zorvane: " in line:
                said = line.split("Zorvane: ", 1)[1]
                lines.append(said.split("\\n", 1)[0].rstrip('"'))
        return lines

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

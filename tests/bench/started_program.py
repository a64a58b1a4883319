"""A Windows program started from a copy in a fresh folder, timed from the launch to its
window being visible on the X screen, and stopped on leaving the block.

Times are taken on CLOCK_MONOTONIC_RAW, the clock Wine stamps its debug lines with
(WINEDEBUG=+timestamp), so that a traced start can be laid against them."""

from __future__ import annotations

import shutil
import subprocess
import sys
import time
from pathlib import Path
from typing import IO

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import make_folder, remove_folder, start_process, stop_process  # noqa: E402

VISIBLE_TIMEOUT = 60.0


def wine_clock() -> float:
    """Seconds on the clock of Wine's debug timestamps."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


def visible_window(env: dict, pid: int) -> bool:
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], env=env,
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


class Started:
    """The program copied to a fresh folder and started; `startup` is the seconds from the
    launch to a visible window, polled every few milliseconds."""

    def __init__(self, env: dict, exe: Path, stderr: IO | None = None):
        self.env = env
        self.exe = exe
        self.stderr = stderr

    def __enter__(self) -> Started:
        self.folder = make_folder()
        copy = self.folder / self.exe.name
        shutil.copy2(self.exe, copy)
        self.launched = wine_clock()
        self.process = start_process(["wine", str(copy)], env=self.env, cwd=self.folder,
                                     stderr=self.stderr)
        try:
            while not visible_window(self.env, self.process.pid):
                waited = wine_clock() - self.launched
                if self.process.poll() is not None or waited > VISIBLE_TIMEOUT:
                    raise RuntimeError(f"{self.exe.name} showed no window")
                time.sleep(0.005)
        except BaseException:
            self.__exit__()
            raise
        self.visible = wine_clock()
        self.startup = self.visible - self.launched
        return self

    def __exit__(self, *exc) -> None:
        stop_process(self.process)
        remove_folder(self.folder)

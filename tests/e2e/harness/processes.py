"""The processes and temporary folders the harness starts and makes: none outlives Python,
even when a test fails halfway."""

from __future__ import annotations

import atexit
import shutil
import subprocess
import tempfile
from pathlib import Path

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

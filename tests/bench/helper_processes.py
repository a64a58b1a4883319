"""The processes besides the program that a figure of its whole cost must count: the Wine
server of its prefix, the X server, the sound server and Wine's desktop process. Found from
what scripts/wine-env.sh recorded, else by name among this user's processes."""

from __future__ import annotations

import os
from pathlib import Path


def _own_processes() -> list[int]:
    uid = os.getuid()
    pids = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if entry.stat().st_uid == uid:
                    pids.append(int(entry.name))
            except OSError:
                pass  # it has just ended
    return pids


def _read(pid: int, what: str) -> str:
    try:
        return Path(f"/proc/{pid}/{what}").read_bytes().decode(errors="replace")
    except OSError:
        return ""


def _environment(pid: int) -> dict[str, str]:
    pairs = (item.partition("=") for item in _read(pid, "environ").split("\0") if item)
    return {name: value for name, _, value in pairs}


def _alive(pid: int | None) -> int | None:
    return pid if pid is not None and Path(f"/proc/{pid}").exists() else None


def wineserver_pid(prefix: Path) -> int | None:
    """The server of this prefix: it works in a folder named after the prefix's device and
    inode (server-<dev>-<inode>); a server started elsewhere names the prefix in its
    environment."""
    info = prefix.stat()
    folder = f"server-{info.st_dev:x}-{info.st_ino:x}"
    by_environment = None
    for pid in _own_processes():
        if not _read(pid, "comm").startswith("wineserver"):
            continue
        try:
            if Path(os.readlink(f"/proc/{pid}/cwd")).name == folder:
                return pid
        except OSError:
            pass
        if _environment(pid).get("WINEPREFIX") == str(prefix):
            by_environment = pid
    return by_environment


def xvfb_pid(env: dict[str, str]) -> int | None:
    recorded = env.get("ZORVANE_XVFB_PID")
    if recorded and _alive(int(recorded)):
        return int(recorded)
    display = env.get("DISPLAY", "")
    for pid in _own_processes():
        words = _read(pid, "cmdline").split("\0")
        if words and Path(words[0]).name == "Xvfb" and display in words:
            return pid
    return None


def pulseaudio_pid(env: dict[str, str]) -> int | None:
    runtime = env.get("XDG_RUNTIME_DIR")
    if runtime:
        pid_file = Path(runtime) / "pulse" / "pid"
        if pid_file.is_file():
            return _alive(int(pid_file.read_text().split()[0]))
    for pid in _own_processes():
        if _read(pid, "comm").strip() == "pulseaudio" and \
                _environment(pid).get("XDG_RUNTIME_DIR") == runtime:
            return pid
    return None


def desktop_pid(prefix: Path) -> int | None:
    """Wine's explorer.exe /desktop of this prefix: it lives as long as a program of the
    prefix has a window."""
    for pid in _own_processes():
        words = _read(pid, "cmdline").split("\0")
        if words and words[0].lower().endswith("explorer.exe") and "/desktop" in words and \
                _environment(pid).get("WINEPREFIX") == str(prefix):
            return pid
    return None


def helper_pids(env: dict[str, str]) -> dict[str, int]:
    """The helpers found, by the name a table gives them."""
    prefix = Path(env["WINEPREFIX"])
    found = {"wineserver": wineserver_pid(prefix), "Wine desktop": desktop_pid(prefix),
             "Xvfb": xvfb_pid(env), "pulseaudio": pulseaudio_pid(env)}
    return {name: pid for name, pid in found.items() if pid is not None}

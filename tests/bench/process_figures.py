"""What Linux tells of a running Windows program: Wine runs each one as a Linux process."""

from __future__ import annotations

import os
import time
from pathlib import Path

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid: int) -> float:
    """User and system time of the process so far."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def memory_kilobytes(pid: int) -> dict[str, int]:
    """Resident memory in all (VmRSS) and the part that is the process's own (RssAnon)."""
    figures = {}
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        key, _, value = line.partition(":")
        if key in ("VmRSS", "RssAnon"):
            figures[key] = int(value.split()[0])
    return figures


class CpuWindow:
    """The CPU that some processes use between `start()` and `stop()`, each as a share of one
    core over the same stretch of wall time. A process that ends meanwhile counts what it
    had used when last seen."""

    def __init__(self, pids: dict[str, int]):
        self.pids = dict(pids)
        self.last_seen = {name: 0.0 for name in self.pids}

    def _sample(self) -> dict[str, float]:
        for name, pid in self.pids.items():
            try:
                self.last_seen[name] = cpu_seconds(pid)
            except OSError:
                pass  # it has ended: what it used until then stands
        return dict(self.last_seen)

    def start(self) -> CpuWindow:
        self.before = self._sample()
        self.began = time.monotonic()
        return self

    def stop(self) -> dict[str, float]:
        """Each process's share of one core (0.01 is 1 %); `seconds` is the wall time."""
        after = self._sample()
        self.seconds = time.monotonic() - self.began
        return {name: (after[name] - self.before[name]) / self.seconds for name in self.pids}

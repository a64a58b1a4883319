"""What Linux tells of a running Windows program: Wine runs each one as a Linux process."""

import os
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

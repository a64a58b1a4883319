"""Start-up to a visible window and the memory of the running program, for several programs
started in turns under one Wine server.

Wine's desktop process (explorer.exe) starts with the first window of a prefix and ends
some seconds after the last program of it; a start that found it gone would pay for
starting it again (well over 100 ms), and whether it is gone depends on how long the
previous start took. A driver process runs for the whole measurement so that the desktop
stays, as it always does on Windows, and every start is measured the same way. One
unmeasured start of each program comes first, so that no measured start reads the
program from disk."""

from __future__ import annotations

import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import Driver  # noqa: E402
from process_figures import memory_kilobytes  # noqa: E402
from started_program import Started  # noqa: E402

STARTS = 9
MEMORY_SETTLE = 1.5  # seconds for a program to settle in before its memory is read


class KeptDesktop(Driver):
    """The driver, started only to keep Wine's desktop process up while it runs."""

    def __enter__(self) -> KeptDesktop:
        self.windows()  # its first answer: the desktop is there
        return self


def measure_startup_and_memory(env: dict, programs: dict[str, Path]) -> dict[str, dict]:
    """For each program: its start-ups in seconds, and the median VmRSS and RssAnon (kB)
    once its window is up."""
    figures = {name: {"startup": [], "VmRSS": [], "RssAnon": []} for name in programs}
    with KeptDesktop(env):
        for exe in programs.values():
            with Started(env, exe):
                pass
        for _ in range(STARTS):
            for name, exe in programs.items():
                with Started(env, exe) as started:
                    figures[name]["startup"].append(started.startup)
                    time.sleep(MEMORY_SETTLE)
                    for key, value in memory_kilobytes(started.process.pid).items():
                        figures[name][key].append(value)
    for each in figures.values():
        each["VmRSS"] = statistics.median(each["VmRSS"])
        each["RssAnon"] = statistics.median(each["RssAnon"])
    return figures

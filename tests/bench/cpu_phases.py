"""The CPU a countdown costs, phase by phase, for the program alone and with the processes
that work for it (the Wine server, Wine's desktop, the X server, the sound server).

Each phase is a window of several seconds in which nobody asks the program anything and
the pointer rests in the screen's top-left corner, away from every window of the program:
after a click, Wine tracks the pointer leaving a themed button with a 10 ms timer for as
long as the pointer stays on it, which would be counted as the program's own work.

The windows are placed by the moment X had the click on play: the total shows at the
click and again at the first tick, so the value v is drawn about N - v + 1 seconds after
the click of an N-second countdown.
"""

from __future__ import annotations

import sys
import time
from dataclasses import dataclass
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import DISPLAY, XScreen, ZorvaneSession, main_window, timed_click  # noqa: E402
from helper_processes import helper_pids  # noqa: E402
from process_figures import CpuWindow  # noqa: E402
from started_program import Started  # noqa: E402

# No window of the program's is ever here: the bar docks bottom right, the display is centred.
POINTER_AWAY = (0, 0)
SETTLE = 2.0           # seconds after a change before a window opens
# /proc counts CPU in clock ticks of 10 ms: one tick is 0.1 % of a core over 10 s.
IDLE_SECONDS = 15.0
AFTER_STOP_SECONDS = 10.0
COUNTDOWN = 55         # seconds: about 21 s of counting before the clicking at 30 s left
ALARM_SECONDS = 2.1    # the alarm clip plays about 2.04 s
EXPIRED_SECONDS = 10.0
PROGRAM = "program"


@dataclass
class Phase:
    """One window: its name, its length, each process's share of one core (0.01 is 1 %)."""

    name: str
    seconds: float
    shares: dict[str, float]

    @property
    def whole(self) -> float:
        return sum(self.shares.values())


def _measure(name: str, pids: dict[str, int], seconds: float) -> Phase:
    window = CpuWindow(pids).start()
    time.sleep(seconds)
    shares = window.stop()
    return Phase(name, window.seconds, shares)


def _measure_until(name: str, pids: dict[str, int], end: float) -> Phase:
    return _measure(name, pids, max(0.0, end - time.monotonic()))


def _sleep_until(moment: float) -> None:
    time.sleep(max(0.0, moment - time.monotonic()))


def _joined(name: str, parts: list[Phase]) -> Phase:
    """Adjacent windows taken as one."""
    seconds = sum(p.seconds for p in parts)
    shares = {key: sum(p.shares[key] * p.seconds for p in parts) / seconds
              for key in parts[0].shares}
    return Phase(name, seconds, shares)


def measure_minimal_idle(env: dict, minimal: Path) -> Phase:
    """The minimal program, idle, for comparison: the same window, the same helpers."""
    with Started(env, minimal) as started:
        XScreen(env).move(*POINTER_AWAY)
        time.sleep(SETTLE)
        pids = {PROGRAM: started.process.pid, **helper_pids(env)}
        return _measure("idle, the minimal Win32 program", pids, IDLE_SECONDS)


def measure_phases(env: dict, exe: Path) -> tuple[list[Phase], list[str]]:
    """The phases of one countdown of COUNTDOWN seconds, and what the bar showed at the
    edges of the windows (read between windows, never inside one)."""
    seen = []
    with ZorvaneSession(env=env, exe=str(exe)) as session:
        driver = session.driver
        remaining = session.control(main_window.REMAINING).hwnd

        def note(when: str) -> None:
            seen.append(f"{when}: {driver.text(remaining) or 'empty'}")

        session.screen.move(*POINTER_AWAY)
        time.sleep(SETTLE)
        pids = {PROGRAM: session.process.pid, **helper_pids(env)}
        idle = _measure("idle (no countdown)", pids, IDLE_SECONDS)

        driver.set_text(session.control(main_window.MINUTES).hwnd, "0")
        driver.set_text(session.control(main_window.SECONDS).hwnd, str(COUNTDOWN))
        clicked = timed_click(session, main_window.START)
        session.screen.move(*POINTER_AWAY)
        session.wait_for_window(DISPLAY, 5)
        pids = {PROGRAM: session.process.pid, **helper_pids(env)}  # the desktop may be new

        def drawn(value: int) -> float:
            return clicked + COUNTDOWN - value + 1

        _sleep_until(drawn(COUNTDOWN - 2))
        note("counting starts")
        counting = _measure_until(f"counting ({COUNTDOWN - 2} to 32 s left)", pids,
                                  drawn(31) - 0.5)
        note("counting ends")
        _sleep_until(drawn(30) + 0.3)
        clicking = _measure_until("of which 30 to 11 s left (a click a second)", pids,
                                  drawn(10))
        last_ten = _measure_until("of which the last 10 s (faster clicks, blinking)", pids,
                                  drawn(0) - 0.2)
        whole_clicking = _joined("clicking: the last 30 s in all", [clicking, last_ten])
        _sleep_until(drawn(0) + ALARM_SECONDS + 0.4)
        note("after the alarm")
        expired = _measure("expired at 00:00, after the alarm", pids, EXPIRED_SECONDS)

        timed_click(session, main_window.START)
        session.screen.move(*POINTER_AWAY)
        display = session.window(DISPLAY)
        if display is not None:
            session.wait_until_gone(display.hwnd, 10)
        note("after stop")
        time.sleep(SETTLE)
        stopped = _measure("after Stop", pids, AFTER_STOP_SECONDS)
    return [idle, counting, whole_clicking, clicking, last_ten, expired, stopped], seen

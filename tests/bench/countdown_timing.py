"""How well the real program keeps time: every change of the remaining seconds during a
short countdown against the whole second it is due at, and how quickly a click on play
takes the display away at random moments of the last thirty seconds."""

from __future__ import annotations

import random
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import DISPLAY, ZorvaneSession, main_window, wait_until  # noqa: E402
from cpu_phases import POINTER_AWAY  # noqa: E402

DRIFT_COUNTDOWN_SECONDS = 30
STOPS_PER_PHASE = 12
# Seconds left at the stop: the fading last ten, and the clicking before them.
STOP_PHASES = {"last ten seconds": (1, 10), "clicking, 30 to 11 s left": (11, 30)}


def watch_until_zero(driver, remaining: int) -> dict[int, float]:
    """When each value of the remaining seconds was first seen, read every 5 ms until 0."""
    seen = {}
    last = None
    while last != "0":
        text = driver.text(remaining)
        if text != last:
            seen[int(text)] = time.monotonic()
            last = text
        time.sleep(0.005)
    return seen


def lateness_of_changes(seen: dict[int, float], total: int) -> list[float]:
    """Each change after the first against the whole second it is due at. The total shows
    at the click and again at the first tick, one second later; the first change (to one
    second less) is due at the second tick, and each later value a whole number of seconds
    after that."""
    first = seen[total - 1]
    return [seen[v] - first - (total - 1 - v) for v in range(total - 2, -1, -1) if v in seen]


def measure_drift(env: dict, exe: Path) -> dict:
    """A countdown of DRIFT_COUNTDOWN_SECONDS, the remaining seconds read every 5 ms."""
    with ZorvaneSession(env=env, exe=str(exe)) as session:
        driver = session.driver
        driver.set_text(session.control(main_window.MINUTES).hwnd, "0")
        driver.set_text(session.control(main_window.SECONDS).hwnd, str(DRIFT_COUNTDOWN_SECONDS))
        start = session.control(main_window.START)
        remaining = session.control(main_window.REMAINING).hwnd

        session.screen.move(*start.screen.centre)
        before_click = time.monotonic()
        session.screen.click_here()
        clicked = time.monotonic()
        session.screen.move(*POINTER_AWAY)  # no mouse tracking beside the ticks
        seen = watch_until_zero(driver, remaining)
    first = seen[DRIFT_COUNTDOWN_SECONDS - 1]
    lateness = lateness_of_changes(seen, DRIFT_COUNTDOWN_SECONDS)
    return {"mean": statistics.mean(lateness), "worst": max(lateness, key=abs),
            "end": lateness[-1], "ticks": len(lateness),
            "first": (first - clicked - 2, first - before_click - 2)}


def measure_stop_latency(env: dict, exe: Path) -> dict[str, list[tuple[float, float]]]:
    """Seconds from a click on play to the display gone, for stops at random moments of
    each phase, as a range: X has the click somewhere between the start of xdotool and
    its end. Every countdown starts about two seconds before its moment; the next one
    starts a second after the stop, when the stopped one's workers have ended."""
    rng = random.Random(2026)  # the same moments in every run
    latencies: dict[str, list[tuple[float, float]]] = {phase: [] for phase in STOP_PHASES}
    with ZorvaneSession(env=env, exe=str(exe)) as session:
        driver = session.driver
        play = session.control(main_window.START)
        seconds = session.control(main_window.SECONDS).hwnd
        remaining = session.control(main_window.REMAINING).hwnd
        driver.set_text(session.control(main_window.MINUTES).hwnd, "0")
        session.screen.move(*play.screen.centre)
        for phase, (fewest, most) in STOP_PHASES.items():
            for _ in range(STOPS_PER_PHASE):
                left = str(rng.randint(fewest, most))
                driver.set_text(seconds, str(int(left) + 1))
                driver.click(play.hwnd)
                display = session.wait_for_window(DISPLAY, 5).hwnd
                wait_until(lambda: driver.text(remaining) == left, 10, f"{left} s left")
                time.sleep(rng.uniform(0, 0.95))
                before_click = time.monotonic()
                session.screen.click_now()
                clicked = time.monotonic()
                gone = session.wait_until_gone(display, 10)
                latencies[phase].append((gone - clicked, gone - before_click))
                time.sleep(1)
    return latencies

"""The last thirty seconds of a countdown on a quiet machine and on one whose cores are all
busy (stress-ng, four workers on the CPU), side by side: what is heard (clicks cut in two
by a starved output, and how late the alarm comes when it meets a click) and how late each
change of the remaining seconds is against the whole second it is due at.

    scripts/bench.sh loaded [COUNTDOWNS]
"""

from __future__ import annotations

import shutil
import statistics
import subprocess
import sys
import time
from contextlib import contextmanager
from pathlib import Path
from typing import Iterator

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import (AudioRecorder, ZorvaneSession, broken_sounds, find_sounds,  # noqa: E402
                     main_window, required_env, start_process, stop_process, wine_env)
from countdown_timing import lateness_of_changes, watch_until_zero  # noqa: E402
from cpu_phases import POINTER_AWAY  # noqa: E402
from release_bench import print_table  # noqa: E402
from shipped_programs import unpack_shipped  # noqa: E402

SECONDS = 35  # the ticker starts at 30 s left: the first five seconds lead up to it
WARNING_SECONDS = 30
STRESS = ["stress-ng", "--cpu", "4", "--quiet"]


@contextmanager
def load(busy: bool) -> Iterator[None]:
    """Both cores kept busy while the block runs (when `busy`)."""
    if not busy:
        yield
        return
    if shutil.which(STRESS[0]) is None:
        raise RuntimeError("stress-ng is not installed (scripts/ensure-deps.sh installs it)")
    process = start_process(STRESS, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1)  # every worker running before the countdown starts
        yield
    finally:
        stop_process(process, grace=2)


def one_countdown(env: dict, exe: Path) -> dict:
    """A countdown of SECONDS, its sound recorded and its remaining seconds read every 5 ms."""
    with AudioRecorder(env) as recorder, ZorvaneSession(env=env, exe=str(exe)) as session:
        driver = session.driver
        driver.set_text(session.control(main_window.MINUTES).hwnd, "0")
        driver.set_text(session.control(main_window.SECONDS).hwnd, str(SECONDS))
        remaining = session.control(main_window.REMAINING).hwnd
        session.screen.move(*session.control(main_window.START).screen.centre)
        session.screen.click_here()
        session.screen.move(*POINTER_AWAY)
        seen = watch_until_zero(driver, remaining)
        time.sleep(3)  # the alarm rings for two seconds
        recorder.stop()
        samples = recorder.samples()
    heard = find_sounds(samples)
    clicks = [h for h in heard if h.length < 0.1]
    rings = [h for h in heard if h.length >= 0.3]
    lateness = lateness_of_changes(seen, SECONDS)
    # The first click comes with the tick that shows 30 s, the alarm with the tick that shows
    # 0, thirty seconds later on the same timer; a click sounds as soon as a play into
    # silence can, so the alarm's lateness beyond that is what a click in its way costs.
    alarm_delay = rings[0].start - clicks[0].start - WARNING_SECONDS if clicks and rings else None
    return {"clicks": len(clicks), "broken": len(broken_sounds(samples, clicks)),
            "worst_late": max(lateness), "alarm_delay": alarm_delay}


def measure(env: dict, exe: Path, countdowns: int) -> dict[str, list[dict]]:
    """`countdowns` countdowns on a quiet machine and as many on a busy one, in turns."""
    runs: dict[str, list[dict]] = {"idle": [], "loaded": []}
    for _ in range(countdowns):
        for kind in runs:
            with load(kind == "loaded"):
                runs[kind].append(one_countdown(env, exe))
    return runs


def rows(runs: dict[str, list[dict]]) -> list[tuple[str, ...]]:
    def figures(kind: str) -> tuple[str, ...]:
        done = runs[kind]
        delays = [r["alarm_delay"] for r in done if r["alarm_delay"] is not None]
        return (f"{sum(r['broken'] for r in done)} of {sum(r['clicks'] for r in done)}",
                f"{max(r['worst_late'] for r in done) * 1000:+.0f} ms",
                f"{statistics.median(delays) * 1000:+.0f} / {max(delays) * 1000:+.0f} ms"
                if delays else "-")
    idle, loaded = figures("idle"), figures("loaded")
    names = ("broken clicks (silent inside their first 22 ms)",
             "worst lateness of a change of the remaining seconds",
             "alarm after its tick, beyond a click's own delay: median / worst")
    return [(name, i, l) for name, i, l in zip(names, idle, loaded)]


def main() -> None:
    countdowns = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    work = Path(required_env("ZORVANE_BENCH_DIR"))
    work.mkdir(parents=True, exist_ok=True)
    shipped = unpack_shipped(Path(required_env("ZORVANE_RELEASE_ZIP")), work)
    runs = measure(wine_env(), shipped.path, countdowns)
    print(f"Zorvane measured: {shipped.describe()}; {countdowns} countdowns each, the last "
          f"{WARNING_SECONDS} s of each\n")
    print_table(("figure", "quiet machine", "both cores busy (stress-ng --cpu 4)"), rows(runs))
    for kind, done in runs.items():
        print(f"{kind}: " + "; ".join(
            f"{r['broken']}/{r['clicks']} broken, late {r['worst_late'] * 1000:+.0f} ms, alarm "
            + (f"{r['alarm_delay'] * 1000:+.0f} ms" if r["alarm_delay"] is not None else "-")
            for r in done))


if __name__ == "__main__":
    main()

"""Benchmark, not a test: the figures Zorvane is judged by, measured side by side in one run
under the same Wine and printed as tables. Run it with `scripts/bench.sh`.

What is measured is what ships: Zorvane.exe out of the release zip (stripped), against the
least a Win32 window program can be (minimal_window.exe) and against the plainest program
that shows the same windows as Zorvane at its start (same_windows.exe), both stripped the
same way.

- start-up: from starting the process to its window being visible on the X screen, the
  three programs taken in turns, median of several starts; then one traced start of
  Zorvane and of the minimal program, to show where the time goes (startup_trace.py);
- memory: what Linux counts of each running process once its window is up;
- CPU: each phase of a countdown on its own, for the program and for the processes that
  work for it (cpu_phases.py);
- redraw: one whole picture of the display at its default size, drawn with GDI, against a
  plain copy of the same bitmap (draw_bench.exe);
- tick drift and stop latency (countdown_timing.py);
- sound: from a play to its first block on the device (sound_latency_bench.exe).
"""

from __future__ import annotations

import statistics
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

from harness import required_env, wine_env  # noqa: E402
from countdown_timing import (DRIFT_COUNTDOWN_SECONDS, measure_drift,  # noqa: E402
                              measure_stop_latency)
from cpu_phases import PROGRAM, measure_minimal_idle, measure_phases  # noqa: E402
from machine import describe  # noqa: E402
from shipped_programs import Measured, stripped_copy, unpack_shipped  # noqa: E402
from startup_figures import STARTS, KeptDesktop, measure_startup_and_memory  # noqa: E402
from startup_trace import CHANNELS, CONTROLS, PARTS, PICTURES, Breakdown, traced_start  # noqa: E402

# DLLs that get a row of their own in the start-up breakdown however little they took.
NAMED_DLLS = ("comctl32.dll", "winmm.dll", "msacm32.dll", "msimg32.dll")
OWN_ROW_MS = 2.0
HELPERS = ("wineserver", "Wine desktop", "Xvfb", "pulseaudio")
# The program with Zorvane's windows at start-up and nothing else.
SAME_WINDOWS = "same windows"
MEMORY_ROWS = (("resident memory (VmRSS, median)", "VmRSS"),
               ("own memory (RssAnon, median)", "RssAnon"))
NOT_COMPARED = ("-",) * 4
MAIN_HEADER = ("figure", "Zorvane", "minimal Win32 program", "ratio",
               "program with the same windows", "ratio")


def measure_redraw(env: dict) -> tuple[float, float]:
    """Milliseconds for the whole display picture with GDI, and for a plain copy."""
    bench = Path(required_env("ZORVANE_DRAW_BENCH"))
    output = subprocess.run(["wine", str(bench)], env=env, capture_output=True, text=True,
                            check=True).stdout
    for line in output.splitlines():
        words = line.split()
        if words[:2] == ["GDI", "584x210"]:
            return float(words[-3]), float(words[-2])
    raise RuntimeError(f"draw_bench printed no GDI line:\n{output}")


def measure_sound_latency(env: dict) -> list[tuple[str, ...]]:
    """Rows of the time from a play to its first block on the sound device, for clicks
    a second, half a second and a quarter apart, and for clicks that come while the
    stream closes (sound_latency_bench.exe)."""
    bench = Path(required_env("ZORVANE_SOUND_BENCH"))
    output = subprocess.run(["wine", str(bench)], env=env, capture_output=True, text=True,
                            check=True).stdout
    rows = []
    for line in output.splitlines():
        words = line.split()
        # NAME plays N open median/worst MS MS first-block median/worst MS MS
        if len(words) == 11 and words[1] == "plays":
            name = words[0].replace("clicks-", "clicks ").replace("-", " ")
            rows.append((name.replace("ms", " ms") if "into" in name else name.replace("ms", " ms apart"),
                         words[2], f"{words[5]} / {words[6]} ms", f"{words[9]} / {words[10]} ms"))
    if not rows:
        raise RuntimeError(f"sound_latency_bench printed no plays:\n{output}")
    return rows


def ratio(a: float, b: float) -> str:
    return f"{a / b:.2f}x" if b else "-"


def memory_row(title: str, key: str, z: dict, m: dict, s: dict) -> tuple[str, ...]:
    """Zorvane's median of `key`, then the minimal program's and the same-windows
    program's, each followed by Zorvane's ratio to it."""
    return (title, f"{z[key] / 1024:.1f} MB", f"{m[key] / 1024:.1f} MB", ratio(z[key], m[key]),
            f"{s[key] / 1024:.1f} MB", ratio(z[key], s[key]))


def print_table(header: tuple[str, ...], rows: list[tuple[str, ...]]) -> None:
    print("| " + " | ".join(header) + " |")
    print("|" + "---|" * len(header))
    for row in rows:
        print("| " + " | ".join(row) + " |")
    print()


def startup_rows(memory) -> list[tuple[str, ...]]:
    z, m, s = memory["Zorvane"], memory["minimal"], memory[SAME_WINDOWS]
    z_start, m_start, s_start = (statistics.median(p["startup"]) for p in (z, m, s))
    return [
        (f"start-up to a visible window (median of {STARTS}, in turns)",
         f"{1000 * z_start:.0f} ms", f"{1000 * m_start:.0f} ms", ratio(z_start, m_start),
         f"{1000 * s_start:.0f} ms", ratio(z_start, s_start)),
        *(memory_row(title, key, z, m, s) for title, key in MEMORY_ROWS),
    ]


def main_rows(memory, drift, stops, redraw) -> list[tuple[str, ...]]:
    every_stop = [t for phase in stops.values() for t in phase]
    stop_median = [statistics.median(bound) for bound in zip(*every_stop)]
    stop_worst = [max(bound) for bound in zip(*every_stop)]
    gdi, copy = redraw
    return [
        *startup_rows(memory),
        ("redraw of the 584x210 display (GDI) vs a plain copy", f"{gdi:.3f} ms",
         f"{copy:.3f} ms", ratio(gdi, copy), "-", "-"),
        ("first change of the seconds, against its due time 2 s after the click",
         "%+.0f .. %+.0f ms" % tuple(1000 * t for t in drift["first"]), *NOT_COMPARED),
        (f"tick drift after the first change, {drift['ticks']} ticks: mean / worst",
         f"{1000 * drift['mean']:+.0f} / {1000 * drift['worst']:+.0f} ms", *NOT_COMPARED),
        (f"tick drift at the end ({DRIFT_COUNTDOWN_SECONDS - 1} s after the first change)",
         f"{1000 * drift['end']:+.0f} ms", *NOT_COMPARED),
        (f"stop, click on play to the display gone, {len(every_stop)} stops in the last "
         f"30 s: median / worst", "%.0f .. %.0f / %.0f .. %.0f ms"
         % tuple(1000 * t for t in (*stop_median, *stop_worst)), *NOT_COMPARED),
    ]


def percent(share: float) -> str:
    return f"{100 * share:.2f} %"


def cpu_rows(phases, minimal_idle) -> list[tuple[str, ...]]:
    rows = []
    for phase in [*phases, minimal_idle]:
        rows.append((phase.name, f"{phase.seconds:.1f} s", percent(phase.shares[PROGRAM]),
                     *(percent(phase.shares[h]) if h in phase.shares else "-" for h in HELPERS),
                     percent(phase.whole)))
    return rows


def breakdown_rows(traced: dict[str, Breakdown],
                   untraced: dict[str, float]) -> list[tuple[str, ...]]:
    z, m = traced["Zorvane"], traced["minimal"]

    def ms(figures: dict[str, float], key: str) -> str:
        return f"{figures[key]:.0f}" if key in figures else "-"

    counted = {CONTROLS: f"{z.controls} ", PICTURES: f"{z.pictures} "}
    rows = [(counted.get(part, "") + part, ms(z.parts, part), ms(m.parts, part))
            for part in PARTS if part in z.parts or part in m.parts]
    dlls = sorted(set(z.dlls) | set(m.dlls), key=lambda d: -(z.dlls.get(d, 0) + m.dlls.get(d, 0)))
    own = [d for d in dlls if d in NAMED_DLLS
           or max(z.dlls.get(d, 0), m.dlls.get(d, 0)) >= OWN_ROW_MS]
    rest = [d for d in dlls if d not in own]
    rows += [(f"DLL {dll}: found, mapped, started", ms(z.dlls, dll), ms(m.dlls, dll))
             for dll in own]
    for dll in NAMED_DLLS:
        if dll not in dlls:
            late = [f"{b.late_dlls[dll][1]:.0f} (at +{b.late_dlls[dll][0]:.0f})"
                    if dll in b.late_dlls else "-" for b in (z, m)]
            rows.append((f"DLL {dll}, loaded only after the window is visible (not in the "
                         f"total): what it took (when, after the window)", *late))
    if rest:
        names = ", ".join(d.rsplit(".", 1)[0] for d in rest)
        rows.append((f"the other {len(rest)} DLLs ({names})",
                     f"{sum(z.dlls.get(d, 0) for d in rest):.0f}",
                     f"{sum(m.dlls.get(d, 0) for d in rest):.0f}"))
    rows.append(("total of this traced start", f"{z.total:.0f}", f"{m.total:.0f}"))
    rows.append((f"untraced start-up, median of {STARTS}, for scale",
                 f"{1000 * untraced['Zorvane']:.0f}", f"{1000 * untraced['minimal']:.0f}"))
    return rows


def print_startups(memory) -> None:
    print("Start-ups (s): " + "; ".join(f"{name} {', '.join(f'{t:.3f}' for t in f['startup'])}"
                                        for name, f in memory.items()))


def print_measured(env: dict, shipped: Measured, minimal: Measured,
                   same_windows: Measured) -> None:
    print(describe(env))
    print(f"Zorvane measured: {shipped.describe()}")
    print(f"minimal program measured: {minimal.describe()}")
    print(f"program with the same windows measured: {same_windows.describe()}\n")


def main() -> None:
    env = wine_env()
    work = Path(required_env("ZORVANE_BENCH_DIR"))
    work.mkdir(parents=True, exist_ok=True)
    shipped = unpack_shipped(Path(required_env("ZORVANE_RELEASE_ZIP")), work)
    minimal = stripped_copy(Path(required_env("ZORVANE_MINIMAL_EXE")),
                            required_env("ZORVANE_STRIP"), work)
    same_windows = stripped_copy(Path(required_env("ZORVANE_SAME_WINDOWS_EXE")),
                                 required_env("ZORVANE_STRIP"), work)
    programs = {"Zorvane": shipped.path, "minimal": minimal.path}

    memory = measure_startup_and_memory(env, {**programs, SAME_WINDOWS: same_windows.path})
    if "--startup" in sys.argv[1:]:
        print_measured(env, shipped, minimal, same_windows)
        print_table(MAIN_HEADER, startup_rows(memory))
        print_startups(memory)
        return
    with KeptDesktop(env):
        traced = {name: traced_start(env, exe, work / f"{name}-start.log")
                  for name, exe in programs.items()}
    phases, seen = measure_phases(env, shipped.path)
    minimal_idle = measure_minimal_idle(env, minimal.path)
    drift = measure_drift(env, shipped.path)
    stops = measure_stop_latency(env, shipped.path)
    redraw = measure_redraw(env)
    sound = measure_sound_latency(env)

    print_measured(env, shipped, minimal, same_windows)
    print_table(MAIN_HEADER, main_rows(memory, drift, stops, redraw))
    print("Start-ups are taken while Wine's desktop process runs, as the desktop always "
          "does on Windows (startup_figures.py); memory is read 1.5 s after each start.\n")

    print("CPU by phase, % of one core, each from /proc/<pid>/stat (utime + stime) over the "
          "window given, the pointer in the screen's top-left corner; the whole is the "
          "program and all four helpers over the same window. One clock tick (10 ms) is "
          "0.1 % over 10 s.\n")
    print_table(("phase", "window", "program", *HELPERS, "whole"), cpu_rows(phases, minimal_idle))
    print(f"The bar's remaining seconds, read between the windows: {'; '.join(seen)}.\n")

    print(f"Where the start-up goes, ms, one traced start each (WINEDEBUG={CHANNELS}), "
          "like the start-ups above with Wine's desktop process already running. Each gap "
          "between two lines of the program's main thread goes to one part (see "
          "startup_trace.py); a DLL's row is its own search, mapping and start, without "
          "the DLLs it brings in and without the parts above it. Timestamps are to the "
          "millisecond: a part shown as 0 took under 1 ms each time it came. Tracing "
          "slows a start; the last two rows compare.\n")
    print_table(("part of the start-up", "Zorvane", "minimal"), breakdown_rows(
        traced, {name: statistics.median(f["startup"]) for name, f in memory.items()}))

    print("From a play to its first block handed to the sound device, through the mixing "
          "stream, which is shut between clicks and opened again for each (after it was "
          "prepared); the device's own output latency comes on top (sound_latency_bench.exe):\n")
    print_table(("plays", "count", "opening the stream: median / worst",
                 "to the first block: median / worst"), sound)

    print("Ticks are seen by asking the program for the remaining seconds every 5 ms; the "
          "click itself lies somewhere in the range given. So does a stop's click: it is "
          "timed to the first of the program's window lists, taken every 5 ms, without "
          "the display.")
    for phase, times in stops.items():
        each = ", ".join(f"{1000 * low:.0f}..{1000 * high:.0f}" for low, high in times)
        print(f"Stops, {phase} (ms): {each}")
    print_startups(memory)
    print(f"The traces of the two starts are in {work}.")


if __name__ == "__main__":
    main()

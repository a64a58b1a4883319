"""A stress run of the real program. Seeded random sequences of what a user does while short
countdowns run: start, stop, double clicks on play, pause and resume, the help window opened
and closed, Esc on the display; at random moments, most of them in the last ten seconds and
while the warning clicks. After every step the program must answer within 2 s, its buttons
and its display must agree, and a new display must never be faded by the countdown before
it. Then many exits by Esc on the bar in the last thirty seconds, each from a fresh program:
exit code 0, the settings written, and no click after the exit.

The seed is printed; ZORVANE_STRESS_SEED=N runs the same sequence of choices again."""

import math
import os
import random
import statistics
import time
import unittest
from collections import Counter
from dataclasses import dataclass, field

from harness import (DISPLAY, ELEVEN_LINES, HELP, LWA_COLORKEY, RATE, AudioRecorder, Driver,
                     DriverError, HarnessError, ZorvaneSession, expand, find_sounds, main,
                     main_window, press_escape_in, start_countdown, wait_gone, wait_until)

STRESS_SECONDS = 65
EXIT_SECONDS = 45
LONGEST_WAIT = 6.0  # for a moment to act at
# Every question below takes milliseconds; an answer this late means a hung UI thread.
ANSWER_LIMIT = 2.0
# A new countdown's own first fade begins 1.4 s after its start (the first tick, then
# 0.4 s; a tick may come a little early); a fade left from the countdown before ends about
# 0.6 s after its tick. So while the new display is watched this long from the click, any
# fade on it is not its own.
FRESH_DISPLAY_WATCH = 1.0
# The Esc passes through xdotool and X, the program ends, the sound server lags a little:
# a click may begin this long after the Esc was sent.
SOUND_AFTER_EXIT_MARGIN = 0.4
EXIT_LIMIT = 5.0
WHITE = 0xFFFFFF


def run_seed() -> int:
    given = os.environ.get("ZORVANE_STRESS_SEED")
    return int(given) if given else random.SystemRandom().randrange(1 << 32)


SEED = run_seed()


def seeded(test: unittest.TestCase) -> random.Random:
    """One generator per test, so that a test replays alike whatever ran before it."""
    print(f"\n{test.id()}: seed {SEED} (replay with ZORVANE_STRESS_SEED={SEED})", flush=True)
    return random.Random(f"{SEED}:{test.id()}")


def settings_written(session: ZorvaneSession) -> bool:
    path = session.folder / "MyConfig.ini"
    return path.is_file() and path.read_bytes() == ELEVEN_LINES


class Unanswered(HarnessError):
    """The program did not answer a question within ANSWER_LIMIT."""


class Watchdog:
    """Every question to the program's UI thread (a control's text, through WM_GETTEXT),
    timed: a late or missing answer raises Unanswered."""

    def __init__(self, session: ZorvaneSession):
        self.driver = session.driver
        self.remaining_box = session.control(main_window.REMAINING).hwnd
        self.slowest = 0.0

    def text(self, hwnd: int) -> str:
        asked = time.monotonic()
        try:
            text = self.driver.text(hwnd)
        except DriverError as error:
            raise Unanswered(f"the program did not answer: {error}") from None
        took = time.monotonic() - asked
        self.slowest = max(self.slowest, took)
        if took > ANSWER_LIMIT:
            raise Unanswered(f"the program took {took:.1f} s to answer")
        return text

    def remaining(self) -> int | None:
        text = self.text(self.remaining_box)
        return int(text) if text.lstrip("-").isdigit() else None


class StressRun:
    """Random user actions on one running program, each followed by the checks."""

    def __init__(self, session: ZorvaneSession, rng: random.Random):
        self.session = session
        self.screen = session.screen
        self.rng = rng
        self.watchdog = Watchdog(session)
        self.play = session.control(main_window.START).hwnd
        self.pause = session.control(main_window.PAUSE).hwnd
        self.display: int | None = None  # the open countdown's window
        self.counts = Counter()
        self.stop_latencies: list[float] = []
        self.findings: list[str] = []

    # The run.
    def run(self, seconds: float) -> bool:
        """Acts until the time is up; False when the program stopped answering."""
        began = time.monotonic()
        deadline = began + seconds
        while time.monotonic() < deadline:
            action = self.choose_action()
            step = f"step {self.counts['actions'] + 1}, {action.__name__}"
            try:
                self.wait_for_a_moment(deadline)
                step += f" at {self.watchdog.remaining()} s left"
                print(f"{time.monotonic() - began:5.1f} s  {step}", flush=True)
                action()
                self.check_state_agrees()
            except Unanswered as error:
                self.findings.append(f"{step}: {error}")
                return False
            except AssertionError as error:
                self.findings.append(f"{step}: {error}")
            self.counts["actions"] += 1
        return True

    def choose_action(self):
        if self.display is None:
            table = {self.start: 6, self.pause_or_resume: 1, self.open_and_close_help: 1}
        else:
            table = {self.stop: 2, self.double_click_play: 4, self.stop_then_start: 2,
                     self.pause_or_resume: 2, self.open_and_close_help: 1,
                     self.escape_on_display: 2, self.type_next_time: 1}
        return self.rng.choices(list(table), weights=list(table.values()))[0]

    def wait_for_a_moment(self, deadline: float) -> None:
        """While a countdown runs, mostly until a moment of its last ten seconds or of its
        clicking (for a few seconds at most: there are more actions to fit in), then a
        random part of a second."""
        target = self.rng.choices([self.rng.randint(1, 10), self.rng.randint(11, 30), None],
                                  weights=[6, 3, 1])[0]
        if self.display is not None and self.watchdog.text(self.pause) == "P" and target:
            until = min(deadline, time.monotonic() + LONGEST_WAIT)
            while (left := self.watchdog.remaining()) and left > target:
                if time.monotonic() > until:
                    break
                time.sleep(0.05)
        time.sleep(self.rng.uniform(0, 1.0))

    # The actions.
    def start(self) -> None:
        if self.rng.random() < 0.6 or self.counts["starts"] == 0:
            self.type_next_time()
        clicked = time.monotonic()
        self.click(main_window.START)
        window = self.session.wait_for_window(DISPLAY, ANSWER_LIMIT)
        self.counts["starts"] += 1
        self.watch_fresh_display(window.hwnd, clicked)

    def type_next_time(self) -> None:
        """Types a short time into the emptied boxes, for the next start; mostly one that
        clicks from its first tick and fades a few seconds later."""
        seconds = self.rng.choices([self.rng.randint(8, 15), self.rng.randint(16, 35)],
                                   weights=[4, 1])[0]
        for box, text in ((main_window.MINUTES, "0"), (main_window.SECONDS, str(seconds))):
            control = self.session.control(box)
            self.session.driver.set_text(control.hwnd, "")
            self.screen.click(*control.screen.centre)
            self.screen.type(text)
        self.counts["times typed"] += 1

    def stop(self) -> None:
        display = self.display
        self.screen.move(*self.session.control(main_window.START).screen.centre)
        self.screen.click_now()
        clicked = time.monotonic()
        self.stop_latencies.append(self.session.wait_until_gone(display, ANSWER_LIMIT) - clicked)
        self.display = None
        self.counts["stops"] += 1

    def double_click_play(self) -> None:
        old = self.display
        clicked = time.monotonic()
        self.screen.double_click(*self.session.control(main_window.START).screen.centre)
        self.after_restart(old, clicked)

    def stop_then_start(self) -> None:
        old = self.display
        self.click(main_window.START)
        time.sleep(self.rng.uniform(0, 0.3))
        clicked = time.monotonic()
        self.click(main_window.START)
        self.after_restart(old, clicked)

    def pause_or_resume(self) -> None:
        before = self.watchdog.text(self.pause)
        self.click(main_window.PAUSE)
        if self.display is None:  # nothing to pause: nothing changes
            time.sleep(0.3)
            want = "P"
        else:
            want = "C" if before == "P" else "P"
        wait_until(lambda: self.watchdog.text(self.pause) == want, ANSWER_LIMIT,
                   f"the pause button to show {want!r}")
        self.counts["pauses and resumes"] += 1

    def open_and_close_help(self) -> None:
        if self.session.main_window().rect.width != 510:
            expand(self.session)
        self.click(main_window.HELP_BUTTON)
        self.session.wait_for_window(HELP, ANSWER_LIMIT)
        press_escape_in(self.session, HELP)
        wait_gone(self.session, HELP)
        if self.rng.random() < 0.5:
            self.click(main_window.FOLD)
            wait_until(lambda: self.session.main_window().rect.width == 250, ANSWER_LIMIT,
                       "the bar to fold")
        self.counts["help windows"] += 1

    def escape_on_display(self) -> None:
        window = self.session.window(DISPLAY)
        if window is None:
            raise AssertionError("the display of the open countdown has gone by itself")
        self.screen.click(*window.client.centre)
        self.screen.key("Escape")
        self.session.wait_until_gone(window.hwnd, ANSWER_LIMIT)
        self.display = None
        self.counts["Esc on the display"] += 1

    # The checks.
    def after_restart(self, old: int, clicked: float) -> None:
        """The second click starts a new countdown, unless it came while the first was still
        stopping and was dropped: either is right, the old display staying is not."""
        try:
            window = wait_until(lambda: (w := self.session.window(DISPLAY)) and w.hwnd != old
                                and w.visible and w, ANSWER_LIMIT, "a new display")
        except HarnessError:
            if self.session.window(DISPLAY) is not None:
                raise AssertionError("two clicks on play left the same display open") from None
            self.display = None
            self.counts["second clicks dropped"] += 1
            return
        self.counts["restarts"] += 1
        self.watch_fresh_display(window.hwnd, clicked)

    def watch_fresh_display(self, hwnd: int, since: float) -> None:
        """A display just opened stays keyed and opaque until its own fades may begin."""
        self.display = hwnd
        wrong = []
        while (at := time.monotonic() - since) < FRESH_DISPLAY_WATCH:
            try:
                layered = self.session.driver.layered(hwnd)
            except DriverError:
                vanished = f"the new display vanished {at:.2f} s after its start"
                raise AssertionError(vanished) from None
            if layered.has_attributes and (layered.flags, layered.key) != (LWA_COLORKEY, WHITE):
                wrong.append(f"{at:.2f} s: flags {layered.flags}, alpha {layered.alpha}")
            time.sleep(0.01)
        if wrong:
            raise AssertionError("a display just opened was faded by the countdown before it: "
                                 + "; ".join(wrong[:4]))

    def check_state_agrees(self) -> None:
        """Play shows "S" exactly while a display is open, and without one nothing is paused."""
        def agrees():
            window = self.session.window(DISPLAY)
            play, pause = self.watchdog.text(self.play), self.watchdog.text(self.pause)
            self.display = window.hwnd if window else None
            return (play == "S") == (window is not None) and (window is not None or pause == "P")
        wait_until(agrees, ANSWER_LIMIT, "the buttons' markers to agree with the display")

    def click(self, name: str) -> None:
        self.screen.click(*self.session.control(name).screen.centre)

    def summary(self) -> str:
        counts = ", ".join(f"{n} {what}" for what, n in sorted(self.counts.items()))
        latency = ""
        if self.stop_latencies:
            latency = (f"; stop, click to display gone: median "
                       f"{1000 * statistics.median(self.stop_latencies):.0f} ms, worst "
                       f"{1000 * max(self.stop_latencies):.0f} ms")
        return f"{counts}; slowest answer {1000 * self.watchdog.slowest:.0f} ms{latency}"


@dataclass
class ExitRound:
    """One program ended by Esc on the bar at a chosen moment of its last thirty seconds."""
    total: int
    left: float  # seconds the display had left when the Esc was sent
    problems: list[str] = field(default_factory=list)
    took: float | None = None  # from the Esc to the end of the process

    def describe(self) -> str:
        end = "no end" if self.took is None else f"ended {1000 * self.took:.0f} ms after the Esc"
        return f"0:{self.total:02d} with {self.left:.1f} s left: {end}"


def escape_on_the_bar(session: ZorvaneSession, when: float) -> float:
    """Waits until `when`, gives the bar the keyboard and sends Esc; returns when it was sent."""
    point = session.background_point()
    time.sleep(max(0.0, when - time.monotonic() - 0.3))  # the click below takes about 0.3 s
    session.screen.click(*point)
    sent = time.monotonic()
    session.screen.key("Escape")
    return sent


def exit_once(driver: Driver, rng: random.Random) -> ExitRound:
    # Now and then the Esc comes just after zero, while the alarm rings.
    left = rng.choices([rng.uniform(0, 10), rng.uniform(0, 30), rng.uniform(-1.5, 0)],
                       weights=[5, 4, 1])[0]
    total = max(0, math.ceil(left)) + rng.randint(1, 3)
    round_ = ExitRound(total, left)
    with AudioRecorder() as recorder, ZorvaneSession(driver=driver) as session:
        clicked = start_countdown(session, "0", str(total))
        # The total shows from the click, then one second less every second after the first.
        escaped = escape_on_the_bar(session, clicked + 1 + total - left)
        try:
            code = session.wait_for_exit(EXIT_LIMIT)
            round_.took = time.monotonic() - escaped
            if code != 0:
                round_.problems.append(f"exit code {code}")
        except HarnessError as error:
            round_.problems.append(str(error))
        time.sleep(0.8)  # a click that comes late has time to be heard
        recorder.stop()
        samples = recorder.samples()
        # The recording ends now: count back to the Esc on its timeline.
        escaped_at = len(samples) / RATE - (time.monotonic() - escaped)
        late = [h.start - escaped_at for h in find_sounds(samples)
                if h.start > escaped_at + SOUND_AFTER_EXIT_MARGIN]
        if late:
            round_.problems.append("sounds after the exit, at "
                                   + ", ".join(f"+{t:.2f} s" for t in late))
        if not session.running and not settings_written(session):
            round_.problems.append("the settings file was not written")
    return round_


class StressTest(unittest.TestCase):
    def test_random_actions_in_the_last_thirty_seconds(self):
        rng = seeded(self)
        began = time.monotonic()
        with ZorvaneSession() as session:
            run = StressRun(session, rng)
            answering = run.run(STRESS_SECONDS)
            if answering:
                escape_on_the_bar(session, time.monotonic())
                try:
                    self.assertEqual(session.wait_for_exit(EXIT_LIMIT), 0, "exit code")
                    self.assertTrue(settings_written(session), "the settings file after the exit")
                except AssertionError as error:
                    run.findings.append(f"the exit at the end: {error}")
        print(f"{run.summary()}; {time.monotonic() - began:.0f} s", flush=True)
        self.assertFalse(run.findings, f"seed {SEED}:\n" + "\n".join(run.findings))

    def test_escape_on_the_bar_in_the_last_thirty_seconds_ends_cleanly(self):
        rng = seeded(self)
        rounds: list[ExitRound] = []
        deadline = time.monotonic() + EXIT_SECONDS
        with Driver() as driver:
            while time.monotonic() < deadline:
                rounds.append(exit_once(driver, rng))
                print(f"exit {len(rounds)}: {rounds[-1].describe()} {rounds[-1].problems}",
                      flush=True)
        findings = [f"exit {i} ({r.describe()}): {p}"
                    for i, r in enumerate(rounds, 1) for p in r.problems]
        print(f"{len(rounds)} exits, {len(findings)} problems", flush=True)
        self.assertFalse(findings, f"seed {SEED}:\n" + "\n".join(findings))


if __name__ == "__main__":
    main()

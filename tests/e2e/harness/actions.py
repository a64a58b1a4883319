"""Steps that many tests take with the running program, taken as a user takes them."""

from __future__ import annotations

import time

from .control_names import main_window
from .session import ZorvaneSession
from .waiting import wait_until


def timed_click(session: ZorvaneSession, name: str) -> float:
    """Clicks the control and returns when X had the click: the time is taken before
    the press, not after xdotool's wait and the settle, which a loaded machine stretches."""
    session.screen.move(*session.control(name).screen.centre)
    pressed = time.monotonic()
    session.screen.click_now()
    time.sleep(session.screen.settle)
    return pressed


def start_countdown(session: ZorvaneSession, minutes: str, seconds: str) -> float:
    """Types the time into the bar and clicks play; returns when X had the click."""
    for name, text in ((main_window.MINUTES, minutes), (main_window.SECONDS, seconds)):
        session.screen.click(*session.control(name).screen.centre)
        session.screen.type(text)
    return timed_click(session, main_window.START)


def remaining(session: ZorvaneSession) -> str:
    """The remaining seconds as the bar shows them."""
    return session.driver.text(session.control(main_window.REMAINING).hwnd)


def expand(session: ZorvaneSession, width: int = 510) -> None:
    """Widens the main window with the gear and waits until it is `width` wide (510 at
    96 DPI)."""
    session.screen.click(*session.control(main_window.FOLD).screen.centre)
    wait_until(lambda: session.main_window().rect.width == width or None, 5,
               "the main window to expand")


def press_escape_in(session: ZorvaneSession, name: str) -> None:
    # X sends keys to the window under the pointer: move onto the window first.
    session.screen.click(*session.background_point(name))
    session.screen.key("Escape")


def wait_gone(session: ZorvaneSession, name: str) -> None:
    wait_until(lambda: session.window(name) is None or None, 5, f"the window {name!r} to close")

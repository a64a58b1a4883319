"""Waiting for the program: polled, with a deadline and a message that says what was awaited."""

from __future__ import annotations

import time
from typing import Callable, TypeVar

from .errors import HarnessError

T = TypeVar("T")


def wait_until(probe: Callable[[], T], timeout: float, what: str, interval: float = 0.05) -> T:
    """Calls `probe` until it returns something true and returns that; fails after `timeout`
    seconds, saying `what` was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)

"""The one failure every part of the harness raises."""


class HarnessError(AssertionError):
    """Something the test needed did not happen (a window did not appear, a process hung)."""

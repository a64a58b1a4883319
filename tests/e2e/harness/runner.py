"""Running a test module's tests from its `if __name__ == "__main__"`."""

from __future__ import annotations

import signal
import unittest


def _terminated(signum, frame):  # noqa: ARG001 - the signal handler's signature
    # CTest ends a test that runs too long with SIGTERM: unwind, so every session stops.
    raise KeyboardInterrupt(f"terminated by signal {signum}")


def main() -> None:
    """Runs the calling module's tests; the exit status is non-zero when one fails."""
    signal.signal(signal.SIGTERM, _terminated)
    unittest.main(module="__main__", verbosity=2)

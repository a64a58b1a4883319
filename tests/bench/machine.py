"""The line that says where and when figures were taken."""

from __future__ import annotations

import datetime
import subprocess
from pathlib import Path


def cpu_model_and_cores() -> tuple[str, int]:
    models = [line.split(":", 1)[1].strip()
              for line in Path("/proc/cpuinfo").read_text().splitlines()
              if line.startswith("model name")]
    return (models[0] if models else "unknown CPU"), len(models)


def wine_version(env: dict) -> str:
    return subprocess.run(["wine", "--version"], env=env, capture_output=True,
                          text=True).stdout.strip()


def describe(env: dict) -> str:
    model, cores = cpu_model_and_cores()
    taken = datetime.datetime.now().astimezone().strftime("%Y-%m-%d %H:%M %Z")
    return f"Measured {taken} on {model}, {cores} cores; {wine_version(env)}"

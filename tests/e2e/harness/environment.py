"""What CTest and scripts/wine-env.sh hand the tests: the running Wine server's variables,
the programs under test, the folder for screenshots, and Unix paths as Wine spells them."""

from __future__ import annotations

import os
import shlex
import subprocess
import tempfile
from contextlib import contextmanager
from pathlib import Path
from typing import Iterator

from .errors import HarnessError


def required_env(name: str) -> str:
    value = os.environ.get(name)
    if not value:
        raise HarnessError(f"the environment variable {name} is not set (run the test through ctest)")
    return value


def parse_env_file(text: str) -> dict[str, str]:
    """The variables of `export K=V` lines, unquoted as the shell would."""
    variables = {}
    for line in text.splitlines():
        words = shlex.split(line, comments=True)
        if len(words) == 2 and words[0] == "export" and "=" in words[1]:
            name, value = words[1].split("=", 1)
            variables[name] = value
    return variables


def wine_env(state_dir: str | os.PathLike | None = None) -> dict[str, str]:
    """This process's environment plus what wine-env.sh exported for the running Wine server."""
    state = Path(state_dir or required_env("ZORVANE_WINE_STATE"))
    env_file = state / "env"
    if not env_file.is_file():
        raise HarnessError(f"no Wine environment in {state}: start it with scripts/wine-env.sh start {state}")
    env = dict(os.environ)
    env.update(parse_env_file(env_file.read_text()))
    return env


@contextmanager
def started_wine(state_dir: str | os.PathLike, dpi: int = 96) -> Iterator[dict[str, str]]:
    """For a tool run outside CTest: a virtual screen of `dpi` and a Wine server started by
    scripts/wine-env.sh in `state_dir`, and stopped on leaving the block. Yields their
    environment."""
    script = Path(__file__).resolve().parents[3] / "scripts" / "wine-env.sh"
    subprocess.run([str(script), "start", str(state_dir), str(dpi)], check=True)
    try:
        yield wine_env(state_dir)
    finally:
        subprocess.run([str(script), "stop", str(state_dir)], check=False)


def artifacts_dir() -> Path:
    folder = Path(os.environ.get("ZORVANE_E2E_ARTIFACTS") or Path(tempfile.gettempdir()) / "zorvane-e2e")
    folder.mkdir(parents=True, exist_ok=True)
    return folder


def windows_path(path: Path) -> str:
    """How Wine spells a Unix path through its Z: drive."""
    return "Z:" + str(path).replace("/", "\\")

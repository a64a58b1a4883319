"""The folders' include graph: which folder's sources include headers of which other folder.
The program's folders form layers, each of which may include only the ones below it; the
tests sit on top and may include anything, but nothing includes them. The tests' support
(tests/support: the clock, the user's hands and the faults the in-memory backend is driven
with) includes only that backend and what it stands on, so the product never needs it."""

from __future__ import annotations

import re
from pathlib import Path

# Each folder of the program, and the folders whose headers it may include besides its own.
LAYERS: dict[str, set[str]] = {
    "app": {"auxwindows", "countdown", "display", "settings", "core", "resources",
            "platform", "platform/win32"},
    "auxwindows": {"resources", "platform"},
    "countdown": {"display", "core", "resources", "platform"},
    "display": {"core", "platform"},
    "settings": {"core", "platform"},
    "core": {"platform"},
    "resources": {"platform"},
    "resources/tools": {"platform", "platform/jpeg"},
    "platform/win32": {"platform", "platform/jpeg"},
    "platform/memory": {"platform", "platform/jpeg"},
    "platform/jpeg": {"platform"},
    "platform": set(),
    "tests/support": {"platform", "platform/memory", "platform/jpeg"},
}

_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def include_edges(root: Path) -> dict[tuple[str, str], list[str]]:
    """(including folder, included folder) -> the sources where it happens, for every
    source of the program or of tests/support that includes a header of another folder by
    its path."""
    edges: dict[tuple[str, str], list[str]] = {}
    for source in sorted(root.rglob("*")):
        if source.suffix not in (".cpp", ".h") or not source.is_file():
            continue
        relative = source.relative_to(root)
        if relative.parts[0] == "build" or relative.parts[0].startswith("."):
            continue
        if relative.parts[0] == "tests" and relative.parts[:2] != ("tests", "support"):
            continue
        folder = relative.parent.as_posix()
        for included in _INCLUDE.findall(source.read_text(encoding="utf-8")):
            target = Path(included).parent.as_posix()
            if target not in (".", folder):
                edges.setdefault((folder, target), []).append(relative.as_posix())
    return edges


def upward_includes(edges: dict[tuple[str, str], list[str]]) -> list[str]:
    """Every include that the layers do not allow, as readable lines."""
    return [f"{', '.join(sources)}: {folder}/ includes {target}/"
            for (folder, target), sources in sorted(edges.items())
            if target not in LAYERS.get(folder, set())]


def cycle(edges: dict[tuple[str, str], list[str]]) -> list[str] | None:
    """A cycle of folders that include one another, or None."""
    following: dict[str, set[str]] = {}
    for folder, target in edges:
        following.setdefault(folder, set()).add(target)
    done: set[str] = set()

    def visit(folder: str, path: list[str]) -> list[str] | None:
        if folder in path:
            return path[path.index(folder):] + [folder]
        if folder in done:
            return None
        for target in sorted(following.get(folder, ())):
            if found := visit(target, path + [folder]):
                return found
        done.add(folder)
        return None

    for folder in sorted(following):
        if found := visit(folder, []):
            return found
    return None

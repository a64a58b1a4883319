"""The names of the program's windows and controls, read from the C++ headers that give
them, so a test finds a control by the same constant the program's code uses:
`main_window.START` is `main_window::kStart`, `help_window.LAYOUT_NAME` is
`help_window::kLayoutName`.

The headers hold one `inline constexpr std::string_view kName = "…";` a line inside their
window's namespace. The reader is strict: a line it cannot read, a constant outside the
window's namespace, or two constants for one name stop the import with the line in the
message, rather than leave a name out.
"""

from __future__ import annotations

import re
from pathlib import Path

from .errors import HarnessError

ROOT = Path(__file__).resolve().parents[3]

_CONSTANT = re.compile(
    r'inline constexpr std::string_view k([A-Z][A-Za-z0-9]*) = "([^"\\]+)";(\s*//.*)?')
_NAMESPACE = re.compile(r"namespace ([a-z_]+) \{")
_NAMESPACE_END = re.compile(r"\}  // namespace ([a-z_]+)")
_ALSO_ALLOWED = ("#pragma once", "#include <string_view>")


def python_name(pascal_case: str) -> str:
    """`HelpButton` -> `HELP_BUTTON`."""
    return re.sub(r"(?<=[a-z0-9])(?=[A-Z])", "_", pascal_case).upper()


class WindowNames:
    """One window's names as attributes (`LAYOUT_NAME`, `START`, ...)."""

    def __init__(self, namespace: str, names: dict[str, str]):
        self.namespace = namespace
        self.__dict__.update(names)

    @property
    def controls(self) -> tuple[str, ...]:
        """Every control's name: all but the window's own."""
        return tuple(value for key, value in vars(self).items()
                     if key.isupper() and key != "LAYOUT_NAME")


def parse_names(text: str, namespace: str, source: str = "<text>") -> WindowNames:
    """Reads the constants of `namespace` (inside `zorvane`) from a header's text."""
    names: dict[str, str] = {}
    open_namespaces: list[str] = []
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        where = f"{source}:{number}: {raw!r}"
        if not line or line.startswith("//") or line in _ALSO_ALLOWED:
            continue
        if opened := _NAMESPACE.fullmatch(line):
            open_namespaces.append(opened.group(1))
        elif closed := _NAMESPACE_END.fullmatch(line):
            if not open_namespaces or open_namespaces.pop() != closed.group(1):
                raise HarnessError(f"{where}: closes a namespace that is not open")
        elif constant := _CONSTANT.fullmatch(line):
            if open_namespaces != ["zorvane", namespace]:
                raise HarnessError(f"{where}: outside zorvane::{namespace}")
            key, value = python_name(constant.group(1)), constant.group(2)
            if key in names:
                raise HarnessError(f"{where}: {key} is given twice")
            if value in names.values():
                raise HarnessError(f"{where}: {value!r} already has a constant")
            names[key] = value
        else:
            raise HarnessError(f"{where}: not a name this reader understands")
    if open_namespaces:
        raise HarnessError(f"{source}: namespace {open_namespaces[-1]} is not closed")
    if "LAYOUT_NAME" not in names:
        raise HarnessError(f"{source}: no kLayoutName in zorvane::{namespace}")
    return WindowNames(namespace, names)


def read_names(header: str, namespace: str) -> WindowNames:
    path = ROOT / header
    return parse_names(path.read_text(encoding="utf-8"), namespace, header)


# Each window's names header, and its namespace there.
HEADERS = {"main_window": "app/main_window_names.h",
           "display_window": "display/display_window_names.h",
           "help_window": "auxwindows/help_window_names.h",
           "update_notes": "auxwindows/update_notes_names.h"}

main_window = read_names(HEADERS["main_window"], "main_window")
display_window = read_names(HEADERS["display_window"], "display_window")
help_window = read_names(HEADERS["help_window"], "help_window")
update_notes = read_names(HEADERS["update_notes"], "update_notes")

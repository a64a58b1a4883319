"""What the driver answers about windows and controls, as records, and the Win32 flags
found in them."""

from __future__ import annotations

import re
from dataclasses import dataclass
from typing import Iterable

from .geometry import Rect

WS_VISIBLE = 0x10000000
WS_EX_TOPMOST = 0x00000008
WS_EX_LAYERED = 0x00080000

# LayeredInfo.flags: the colour key is in use, the alpha is in use.
LWA_COLORKEY = 1
LWA_ALPHA = 2


def _snake(name: str) -> str:
    return re.sub(r"(?<!^)([A-Z])", r"_\1", name).lower()


def _fields(answer: dict, rects: Iterable[str]) -> dict:
    fields = {_snake(key): value for key, value in answer.items()}
    for key in rects:
        fields[key] = Rect.of(fields[key])
    return fields


@dataclass(frozen=True)
class WindowInfo:
    """A top-level window that carries a layout name."""
    name: str
    hwnd: int
    class_name: str
    title: str
    rect: Rect      # outer rectangle on the screen (GetWindowRect)
    client: Rect    # client area on the screen
    visible: bool
    enabled: bool
    style: int
    ex_style: int
    pid: int        # Windows process id
    tid: int
    image: str      # the executable's path as Windows spells it
    owner: int
    foreground: bool
    focus: int      # the focus window of the window's thread, 0 for none

    @property
    def topmost(self) -> bool:
        return bool(self.ex_style & WS_EX_TOPMOST)

    @classmethod
    def of(cls, answer: dict) -> WindowInfo:
        return cls(**_fields(answer, ("rect", "client")))


@dataclass(frozen=True)
class ControlInfo:
    """A control built from a layout table, at any depth inside its window."""
    name: str
    hwnd: int
    id: int
    class_name: str
    text: str
    parent: int
    parent_name: str
    in_window: Rect     # relative to the top-level window's client area
    in_parent: Rect     # relative to its parent's client area
    screen: Rect
    visible: bool       # IsWindowVisible: itself and every ancestor shown
    visible_style: bool  # its own WS_VISIBLE flag
    enabled: bool
    style: int
    ex_style: int
    focused: bool

    @classmethod
    def of(cls, answer: dict) -> ControlInfo:
        return cls(**_fields(answer, ("in_window", "in_parent", "screen")))


@dataclass(frozen=True)
class PlainWindow:
    """A window the program did not build from a layout (a message box, or a control in
    one), as a user sees it."""
    hwnd: int
    class_name: str
    text: str       # the title of a top-level window, the caption or text of a control
    id: int
    visible: bool
    enabled: bool
    style: int
    owner: int
    screen: Rect
    children: tuple[PlainWindow, ...] = ()

    @classmethod
    def of(cls, answer: dict) -> PlainWindow:
        fields = _fields(answer, ("screen",))
        fields["children"] = tuple(cls.of(c) for c in answer.get("children", ()))
        return cls(**fields)


@dataclass(frozen=True)
class LayeredInfo:
    layered_style: bool   # WS_EX_LAYERED is set
    has_attributes: bool  # GetLayeredWindowAttributes succeeded
    key: int
    alpha: int
    flags: int

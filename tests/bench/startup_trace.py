"""Where a program's start-up goes, measured on one start with Wine's own debug lines
(WINEDEBUG, no change to the program and no relay): every line of the program's main
thread carries a millisecond timestamp on CLOCK_MONOTONIC_RAW, the clock the launch and the
visible window are taken on, so the time from the launch to the window being visible on
X splits into the gaps between consecutive lines. Each gap goes to one part of the start:

- Wine starts the process: from the launch to the line that says the exe is mapped;
- a DLL: while the loader looks for it, maps it or runs its start (+module nests these,
  so a DLL that loads another is not charged for it);
- Wine's desktop: after the line that says explorer.exe was started for the first window;
- fonts: a gap that begins or ends at a font file (+file): gdi32 reading the fonts when
  user32 starts, and the fonts the first paint needs (+reg would show more of the font
  set-up, but its many lines slow the traced start much more);
- the theme: uxtheme.dll's own load and start (which reads the theme file) and each gap
  that ends at a uxtheme line, such as opening a control's theme data;
- the pictures: a gap that ends at the 24-bit DIB section a decoded JPEG is copied into;
- the settings file: a gap that begins or ends at a line naming MyConfig.ini;
- otherwise the stretch of the start it falls in: until the main window is created, the
  main window's creation, its controls, the program's own steps until it shows the
  window, and from the show to the window being visible on X.

DLLs that are first loaded after the window is visible (within LATE_SECONDS) are not part
of the start-up; they are given on their own, with when they came.

Tracing costs time itself (every line is written out), so the parts may add up to more
than an untraced start; the traced total is printed beside the untraced one.
"""

from __future__ import annotations

import re
import time
from collections import defaultdict
from dataclasses import dataclass, field
from pathlib import Path

from started_program import Started

CHANNELS = "+timestamp,+pid,+loaddll,+module,+win,+file,+uxtheme,+theming,+bitmap"
LATE_SECONDS = 3.0  # how long after the window is visible DLLs loaded late are looked for

LAUNCH = "Wine starts the process (loader, ntdll, wineserver)"
BEFORE_WINDOW = "runtime and program before the main window"
DESKTOP = "Wine's desktop process (explorer.exe) started"
FONTS = "fonts (font files read by gdi32 and at the first paint)"
THEME = "theme (uxtheme.dll: theme file, each control's theme data)"
PICTURES = "JPEG pictures decoded into bitmaps"
SETTINGS = "settings file MyConfig.ini read"
MAIN_WINDOW = "main window created"
CONTROLS = "controls created (without their pictures and theme)"
BEFORE_SHOW = "program after the controls, before the show"
SHOWN = "shown, first paint, until X shows it (polled every 5 ms)"
# The parts in the order a start goes through them (the DLLs come on their own).
PARTS = (LAUNCH, BEFORE_WINDOW, DESKTOP, FONTS, THEME, MAIN_WINDOW, CONTROLS, PICTURES,
         BEFORE_SHOW, SETTINGS, SHOWN)

_LINE = re.compile(r"^\s*(\d+)\.(\d{3}):([0-9a-f]+):([0-9a-f]+):(\w+):(\w+):(.*)$")
_LOOKING = re.compile(r'load_dll looking for L"([^"]+)"')
_LOADED = re.compile(r'load_dll Loaded module L"([^"]+)"')
_FOUND = re.compile(r'load_dll Found L"[^"]*" for L"([^"]+)"')
_FAILED = re.compile(r'load_dll Failed to load module L"([^"]+)"')
_ATTACH = re.compile(r'process_attach \(L"([^"]+)",[^)]*\) - (START|END)')
# A window of the program's own: its instance is the exe's image base.
_CREATE = re.compile(r"WIN_CreateWindowEx .* parent=([0-9A-F]{8}) menu=\S+ inst=00400000")
_HWND = re.compile(r"NtUserCreateWindowEx hwnd (0x[0-9a-f]+) cs")
_FONT_FILE = re.compile(r"\\fonts\\|/fonts/|\.(ttf|ttc|otf|fon|pfb)\b", re.IGNORECASE)
_PICTURE_DIB = re.compile(r"NtGdiCreateDIBSection format .* bpp 24,")
_MAPPED = re.compile(r'Loaded L"([^"]+)"')


@dataclass
class Line:
    time: float
    process: str
    thread: str
    channel: str
    text: str


def parse(text: str) -> list[Line]:
    lines = []
    for raw in text.splitlines():
        m = _LINE.match(raw)
        if m:
            lines.append(Line(int(m[1]) + int(m[2]) / 1000, m[3], m[4], m[6], m[7]))
    return lines


def dll_name(path: str) -> str:
    return path.replace("/", "\\").rsplit("\\", 1)[-1].lower()


@dataclass
class Breakdown:
    """Milliseconds of one traced start, by part and by DLL."""

    total: float = 0.0
    parts: dict[str, float] = field(default_factory=lambda: defaultdict(float))
    dlls: dict[str, float] = field(default_factory=lambda: defaultdict(float))
    controls: int = 0
    pictures: int = 0
    # DLLs loaded after the window was visible: ms after it, ms they took.
    late_dlls: dict[str, tuple[float, float]] = field(default_factory=dict)


class _Stretches:
    """The stretch of the start each line falls in, found in a first pass."""

    def __init__(self, lines: list[Line]):
        self.main_window = self.first_control = self.controls_end = self.shown = len(lines)
        self.controls = 0
        main_hwnd = None
        last_control = None
        for i, line in enumerate(lines):
            created = _CREATE.search(line.text)
            if created and created[1] == "00000000" and main_hwnd is None:
                self.main_window = i
                main_hwnd = next((m[1] for later in lines[i:] if (m := _HWND.search(later.text))),
                                 None)
            elif created and created[1] != "FFFFFFFD" and main_hwnd is not None:
                self.controls += 1
                self.first_control = min(self.first_control, i)
                last_control = i
            elif main_hwnd and re.search(rf"show_window hwnd={main_hwnd}, cmd=[1-9]", line.text):
                self.shown = i
                break
        if last_control is not None:
            names_main = re.compile(rf"(SetWindowPos|show_window) hwnd[ =]{main_hwnd}\b")
            self.controls_end = next(
                (i for i in range(last_control, len(lines)) if names_main.search(lines[i].text)),
                self.shown)
        else:
            self.first_control = self.controls_end = self.shown

    def of(self, index: int) -> str:
        if index >= self.shown:
            return SHOWN
        if index >= self.controls_end:
            return BEFORE_SHOW
        if index >= self.first_control:
            return CONTROLS
        if index >= self.main_window:
            return MAIN_WINDOW
        return BEFORE_WINDOW


class _DllStack:
    """Which DLL the loader is busy with between two lines: +module traces each search,
    mapping and start, nested when one DLL brings in another."""

    def __init__(self):
        self.stack: list[str] = []

    def _pop(self, name: str) -> None:
        if name in self.stack:
            while self.stack.pop() != name:
                pass

    def take(self, line: Line) -> None:
        if line.channel != "module":
            return
        if m := _LOOKING.search(line.text):
            self.stack.append(dll_name(m[1]))
        elif m := (_LOADED.search(line.text) or _FOUND.search(line.text)
                   or _FAILED.search(line.text)):
            self._pop(dll_name(m[1]))
        elif m := _ATTACH.search(line.text):
            if m[2] == "START":
                self.stack.append(dll_name(m[1]))
            else:
                self._pop(dll_name(m[1]))

    @property
    def busy_with(self) -> str | None:
        return self.stack[-1] if self.stack else None


def _is_font_file(line: Line) -> bool:
    return line.channel == "file" and bool(_FONT_FILE.search(line.text))


def _is_settings(line: Line) -> bool:
    return "MyConfig.ini" in line.text


def breakdown(text: str, exe_name: str, launched: float, visible: float) -> Breakdown:
    """The start-up of `exe_name` from its trace, between the launch and the moment its
    window was seen visible (both on CLOCK_MONOTONIC_RAW)."""
    every = parse(text)
    exe_line = next((line for line in every if line.channel == "loaddll"
                     and (m := _MAPPED.search(line.text)) and dll_name(m[1]) == exe_name.lower()),
                    None)
    if exe_line is None:
        raise RuntimeError(f"the trace never says that {exe_name} was loaded")
    lines = [line for line in every if line.process == exe_line.process
             and line.thread == exe_line.thread and line.time <= visible + LATE_SECONDS]
    cut = sum(1 for line in lines if line.time <= visible)
    stretches = _Stretches(lines[:cut])
    dlls = _DllStack()
    result = Breakdown(total=1000 * (visible - launched), controls=stretches.controls)
    result.parts[LAUNCH] += 1000 * (exe_line.time - launched)
    for i in range(lines.index(exe_line), len(lines)):
        line = lines[i]
        dlls.take(line)
        dll = dlls.busy_with
        after = lines[i + 1] if i + 1 < len(lines) else None
        if i >= cut:
            if dll is not None and after is not None:
                came, took = result.late_dlls.get(dll, (1000 * (line.time - visible), 0.0))
                result.late_dlls[dll] = (came, took + 1000 * (after.time - line.time))
            continue
        if i + 1 == cut:
            after = None  # the last gap ends when the window is seen
        gap = 1000 * ((after.time if after else visible) - line.time)
        if after is not None and _PICTURE_DIB.search(after.text):
            result.pictures += 1
        part = _part_of_gap(line, after, dll, stretches.of(i))
        if part == dll:
            result.dlls[dll] += gap
        else:
            result.parts[part] += gap
    return result


def _part_of_gap(line: Line, after: Line | None, dll: str | None, stretch: str) -> str:
    if "started explorer" in line.text:
        return DESKTOP
    if _is_font_file(line) or (after is not None and _is_font_file(after)):
        return FONTS
    if after is not None and _PICTURE_DIB.search(after.text):
        return PICTURES
    if _is_settings(line) or (after is not None and _is_settings(after)):
        return SETTINGS
    if dll == "uxtheme.dll" or (after is not None and after.channel in ("uxtheme", "theming")):
        return THEME
    if dll is not None:
        return dll
    return stretch


def traced_start(env: dict, exe: Path, log: Path) -> Breakdown:
    """Starts the program once with the debug channels on, writing the trace to `log`, and
    returns where its start went."""
    traced_env = dict(env, WINEDEBUG=CHANNELS)
    with log.open("w") as stderr, Started(traced_env, exe, stderr=stderr) as started:
        launched, visible = started.launched, started.visible
        time.sleep(LATE_SECONDS)
    return breakdown(log.read_text(errors="replace"), exe.name, launched, visible)

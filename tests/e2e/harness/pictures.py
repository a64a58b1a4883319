"""Screenshots as RGB pixels: read from PPM, cropped, counted, saved as PNG for people to
look at."""

from __future__ import annotations

import os
import subprocess
from pathlib import Path
from typing import Callable, Iterable

from .environment import artifacts_dir
from .geometry import Rect


class Image:
    """RGB pixels, 8 bits per sample, rows top to bottom."""

    def __init__(self, width: int, height: int, data: bytes):
        if len(data) != width * height * 3:
            raise ValueError(f"{len(data)} bytes do not make {width}x{height} RGB pixels")
        self.width = width
        self.height = height
        self.data = bytes(data)

    @classmethod
    def from_ppm(cls, ppm: bytes) -> Image:
        """Parses a binary PPM (P6), 8- or 16-bit samples."""
        fields = []
        at = 0
        while len(fields) < 4:
            while at < len(ppm) and ppm[at:at + 1].isspace():
                at += 1
            if ppm[at:at + 1] == b"#":
                at = ppm.index(b"\n", at) + 1
                continue
            start = at
            while at < len(ppm) and not ppm[at:at + 1].isspace() and ppm[at:at + 1] != b"#":
                at += 1
            if start == at:
                raise ValueError("truncated PPM header")
            fields.append(ppm[start:at])
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6":
            raise ValueError(f"not a binary PPM: {magic!r}")
        if not 0 < maxval < 65536:
            raise ValueError(f"bad PPM maximum value {maxval}")
        body = ppm[at + 1:]  # exactly one whitespace byte ends the header
        samples = width * height * 3
        if maxval < 256:
            pixels = body[:samples]
            if maxval != 255:
                pixels = bytes(round(v * 255 / maxval) for v in pixels)
        else:
            wide = body[:samples * 2]
            pixels = bytes(round(((wide[i] << 8) | wide[i + 1]) * 255 / maxval)
                           for i in range(0, len(wide), 2))
        if len(pixels) != samples:
            raise ValueError(f"PPM data ends early: {len(pixels)} of {samples} bytes")
        return cls(width, height, pixels)

    def to_ppm(self) -> bytes:
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + self.data

    def pixel(self, x: int, y: int) -> tuple[int, int, int]:
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) is outside the {self.width}x{self.height} image")
        at = (y * self.width + x) * 3
        return self.data[at], self.data[at + 1], self.data[at + 2]

    def crop(self, rect: Rect) -> Image:
        if not Rect(0, 0, self.width, self.height).contains_rect(rect):
            raise IndexError(f"{rect} is not inside the {self.width}x{self.height} image")
        rows = []
        for y in range(rect.top, rect.bottom):
            at = (y * self.width + rect.left) * 3
            rows.append(self.data[at:at + rect.width * 3])
        return Image(rect.width, rect.height, b"".join(rows))

    def pixels(self) -> Iterable[tuple[int, int, tuple[int, int, int]]]:
        for y in range(self.height):
            for x in range(self.width):
                yield x, y, self.pixel(x, y)

    def count(self, predicate: Callable[[tuple[int, int, int]], bool]) -> int:
        return sum(1 for _, _, rgb in self.pixels() if predicate(rgb))

    def save_png(self, path: str | os.PathLike) -> Path:
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["convert", "ppm:-", f"png:{path}"], input=self.to_ppm(), check=True)
        return path

    def save_artifact(self, name: str) -> Path:
        """Saves the picture as NAME.png in the artifacts folder, for people to look at."""
        return self.save_png(artifacts_dir() / f"{name}.png")


def is_dark(rgb: tuple[int, int, int], limit: int = 100) -> bool:
    return max(rgb) < limit


def is_white(rgb: tuple[int, int, int], tolerance: int = 8) -> bool:
    return min(rgb) >= 255 - tolerance

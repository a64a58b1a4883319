"""Rectangles on the screen and in windows, as the driver reports them: right and bottom
edges outside; and the rule that takes a length at 96 DPI to a screen of another DPI."""

from __future__ import annotations

from dataclasses import dataclass


@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    width: int
    height: int

    @property
    def right(self) -> int:
        return self.left + self.width

    @property
    def bottom(self) -> int:
        return self.top + self.height

    @property
    def centre(self) -> tuple[int, int]:
        return self.left + self.width // 2, self.top + self.height // 2

    def contains(self, x: int, y: int) -> bool:
        return self.left <= x < self.right and self.top <= y < self.bottom

    def contains_rect(self, other: Rect) -> bool:
        return (self.left <= other.left and self.top <= other.top
                and other.right <= self.right and other.bottom <= self.bottom)

    def moved(self, dx: int, dy: int) -> Rect:
        return Rect(self.left + dx, self.top + dy, self.width, self.height)

    def inset(self, by: int) -> Rect:
        return Rect(self.left + by, self.top + by, self.width - 2 * by, self.height - 2 * by)

    def scaled(self, dpi: int) -> Rect:
        """The rectangle at 96 DPI on a screen of `dpi`: each edge scaled, so neighbours
        keep touching."""
        left, top = scaled(self.left, dpi), scaled(self.top, dpi)
        return Rect(left, top, scaled(self.right, dpi) - left, scaled(self.bottom, dpi) - top)

    @classmethod
    def of(cls, value: dict) -> Rect:
        return cls(value["left"], value["top"], value["width"], value["height"])


def scaled(length: int, dpi: int) -> int:
    """A length at 96 DPI on a screen of `dpi`, to the nearest pixel, halves away from zero."""
    whole, part = divmod(abs(length) * dpi, 96)
    magnitude = whole + (1 if 2 * part >= 96 else 0)
    return magnitude if length >= 0 else -magnitude

// Plain value types shared by every layer: points, sizes, rectangles and colours.
#pragma once

#include <cstdint>

namespace zorvane {

// Every length of the program is given at this DPI (see dpi_scale.h).
inline constexpr int kLogicalDpi = 96;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A window's outer rectangle in screen coordinates, or a control's rectangle relative to
// the client area of its parent.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A Windows COLORREF, 0x00BBGGRR: red in the low byte. Kept unchanged from the settings
// file to the drawing.
using Colour = std::uint32_t;

// Stands for the system's button-face colour wherever a window or control background is
// left at its default.
inline constexpr Colour kDefaultColour = 0xFF000000u;

inline constexpr Colour kBlack = 0x000000u;
inline constexpr Colour kWhite = 0xFFFFFFu;

constexpr Colour RgbColour(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
         (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace zorvane

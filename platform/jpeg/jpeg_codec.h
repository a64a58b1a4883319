// Baseline JPEG pictures decoded with libjpeg-turbo into plain pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zorvane {

// Top-down rows of 24-bit pixels in blue, green, red order (the layout of a Windows DIB),
// each row exactly width * 3 bytes.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;
};

// A picture that cannot be decoded (empty, truncated, not a JPEG, absurd size) gives
// nothing; it never aborts the program.
std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> jpeg);

}  // namespace zorvane

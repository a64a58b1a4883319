// One picture made at several scales. A control shows the one made for its screen's DPI
// when there is one; otherwise the one made for the nearest larger DPI, scaled down
// smoothly (or, above the largest made, the largest scaled up), so that it is as large on
// the screen as the picture made for 96 DPI would be scaled by the one rule.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "platform/geometry.h"

namespace zorvane {

struct PictureAtDpi {
  int dpi = kLogicalDpi;
  std::span<const std::uint8_t> jpeg = {};  // baseline JPEG
};

class PictureSet {
 public:
  static constexpr std::size_t kMostScales = 5;

  constexpr PictureSet() = default;
  // A picture made only for 96 DPI; an empty one means no picture at all.
  constexpr PictureSet(std::span<const std::uint8_t> jpeg)  // NOLINT: a plain picture is a set
      : count_(jpeg.empty() ? 0 : 1) {
    entries_[0] = {kLogicalDpi, jpeg};
  }
  // The scales in any order; those beyond kMostScales are left out.
  constexpr PictureSet(std::initializer_list<PictureAtDpi> scales) {
    for (const PictureAtDpi& scale : scales) {
      if (count_ == kMostScales) break;
      entries_[count_++] = scale;
    }
  }

  constexpr bool Empty() const { return count_ == 0; }
  constexpr std::span<const PictureAtDpi> Scales() const {
    return std::span(entries_).first(count_);
  }
  // The picture to show at `dpi` (see above); an empty one when the set is empty.
  PictureAtDpi ChooseFor(int dpi) const;

 private:
  std::array<PictureAtDpi, kMostScales> entries_{};
  std::size_t count_ = 0;
};

// How large a picture made for `madeDpi`, `made` pixels, is shown at `dpi`: each side
// MulDiv(side, dpi, madeDpi), rounded to the nearest pixel.
Size ShownPictureSize(Size made, int madeDpi, int dpi);

}  // namespace zorvane

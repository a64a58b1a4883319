#include "platform/jpeg/picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace zorvane {
namespace {

// How much of each source pixel one target pixel covers, as (source index, weight) pairs
// whose weights add up to one.
struct Coverage {
  int source;
  double weight;
};

std::vector<std::vector<Coverage>> CoverageOf(int sourceLength, int targetLength) {
  std::vector<std::vector<Coverage>> coverage(static_cast<std::size_t>(targetLength));
  const double step = static_cast<double>(sourceLength) / targetLength;
  for (int target = 0; target < targetLength; ++target) {
    const double begin = target * step;
    const double end = begin + step;
    for (int source = static_cast<int>(begin); source < sourceLength && source < end; ++source) {
      const double covered = std::min<double>(end, source + 1) - std::max<double>(begin, source);
      if (covered > 0) coverage[static_cast<std::size_t>(target)].push_back({source, covered / step});
    }
  }
  return coverage;
}

}  // namespace

Picture ResizeSmoothly(const Picture& picture, Size size) {
  if (size.width == picture.width && size.height == picture.height) return picture;
  Picture resized{size.width, size.height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(size.width) *
                                            static_cast<std::size_t>(size.height) * 3)};
  if (size.width <= 0 || size.height <= 0 || picture.width <= 0 || picture.height <= 0) {
    return resized;
  }
  const auto columns = CoverageOf(picture.width, size.width);
  const auto rows = CoverageOf(picture.height, size.height);
  const auto at = [](int width, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(x)) * 3;
  };
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      double sums[3] = {0, 0, 0};
      for (const Coverage& row : rows[static_cast<std::size_t>(y)]) {
        for (const Coverage& column : columns[static_cast<std::size_t>(x)]) {
          const std::size_t source = at(picture.width, column.source, row.source);
          for (std::size_t channel = 0; channel < 3; ++channel) {
            sums[channel] += picture.bgr[source + channel] * row.weight * column.weight;
          }
        }
      }
      const std::size_t target = at(size.width, x, y);
      for (std::size_t channel = 0; channel < 3; ++channel) {
        resized.bgr[target + channel] =
            static_cast<std::uint8_t>(std::clamp(std::lround(sums[channel]), 0L, 255L));
      }
    }
  }
  return resized;
}

std::optional<Picture> PictureForDpi(const PictureSet& set, int dpi) {
  const PictureAtDpi chosen = set.ChooseFor(dpi);
  auto decoded = DecodeJpeg(chosen.jpeg);
  if (!decoded) return std::nullopt;
  const Size shown = ShownPictureSize({decoded->width, decoded->height}, chosen.dpi, dpi);
  return ResizeSmoothly(*decoded, shown);
}

}  // namespace zorvane

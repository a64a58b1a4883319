// Positions formed from fractions: computed in double precision and truncated toward zero.
// A value beyond the 32-bit range saturates instead of being undefined.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace zorvane {

// The display's "two thirds": the width of the colon between minutes and seconds, in digit
// pitches. Exactly the double nearest to 2/3.
inline constexpr double kTwoThirds = 2.0 / 3.0;

inline std::int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace zorvane

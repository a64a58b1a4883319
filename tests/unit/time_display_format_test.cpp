// The texts and sizes of the time picture, which decide what the presenter reads.
#include <gtest/gtest.h>

#include <limits>

#include "core/fractional.h"
#include "display/digit_geometry.h"
#include "display/time_display.h"

namespace zorvane {
namespace {

TEST(TimeTexts, MinutesAndSecondsTakeTwoCharactersAtLeast) {
  auto texts = [](std::int32_t remaining) {
    const TimeTexts t = FormatRemaining(remaining);
    return t.minutes + ":" + t.seconds;
  };
  EXPECT_EQ(texts(0), "00:00");
  EXPECT_EQ(texts(59), "00:59");
  EXPECT_EQ(texts(60), "01:00");
  EXPECT_EQ(texts(299), "04:59");
  EXPECT_EQ(texts(605), "10:05");
  EXPECT_EQ(texts(3599), "59:59");
  EXPECT_EQ(texts(6000), "100:00");
  // Negative totals: the quotient is truncated toward zero, the remainder keeps the sign.
  EXPECT_EQ(texts(-1), "00:-1");
  EXPECT_EQ(texts(-10), "00:-10");
  EXPECT_EQ(texts(-60), "-1:00");
}

TEST(TimeTexts, DigitsAreTheirValuesAndTheMinusIsItsOwnGlyph) {
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(GlyphFor(c), c - '0');
  EXPECT_EQ(GlyphFor('-'), kMinusGlyph);
}

TEST(DisplayWidth, DependsOnTheDigitWidthMarginsAndCharacters) {
  EXPECT_EQ(DisplayWidth(5, 120, 4), 584);  // 583 if computed with 80-bit intermediates
  EXPECT_EQ(DisplayWidth(5, 30, 4), 164);
  EXPECT_EQ(DisplayWidth(5, 120, 5), 707);
  EXPECT_EQ(DisplayWidth(5, std::numeric_limits<std::int32_t>::max(), 4),
            std::numeric_limits<std::int32_t>::max());
}

TEST(TruncateToInt, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(TruncateToInt(278.999), 278);
  EXPECT_EQ(TruncateToInt(-1.5), -1);
  EXPECT_EQ(TruncateToInt(1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(TruncateToInt(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace zorvane

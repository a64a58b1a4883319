// The one conversion from text to number: full-width folding first, then atol's rules.
#include "core/text_to_integer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zorvane {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(TextToInteger, ReadsLikeAtol) {
  EXPECT_EQ(TextToInteger("120"), 120);
  EXPECT_EQ(TextToInteger("007"), 7);
  EXPECT_EQ(TextToInteger("-2"), -2);
  EXPECT_EQ(TextToInteger("+15"), 15);
  EXPECT_EQ(TextToInteger(" \t\r\n\v\f 200"), 200);
  EXPECT_EQ(TextToInteger("12abc"), 12);
  EXPECT_EQ(TextToInteger("255  "), 255);
  EXPECT_EQ(TextToInteger("3 4"), 3);
}

TEST(TextToInteger, NoDigitsGiveZero) {
  EXPECT_EQ(TextToInteger(""), 0);
  EXPECT_EQ(TextToInteger("abc"), 0);
  EXPECT_EQ(TextToInteger("-"), 0);
  EXPECT_EQ(TextToInteger("+-5"), 0);
  EXPECT_EQ(TextToInteger("- 5"), 0);
  EXPECT_EQ(TextToInteger("   "), 0);
}

TEST(TextToInteger, FullWidthCharactersCountAsTheirAsciiTwins) {
  EXPECT_EQ(TextToInteger("１２"), 12);        // A3B1 A3B2
  EXPECT_EQ(TextToInteger("－５"), -5);        // A3AD A3B5
  EXPECT_EQ(TextToInteger("＋７"), 7);         // A3AB A3B7
  EXPECT_EQ(TextToInteger("1２3"), 123);       // mixed widths
  EXPECT_EQ(FoldFullWidth("ＡＢｚ"), "ABz");
  // The block's last position, 0xA3 0xFE, folds to 0x7E.
  EXPECT_EQ(FoldFullWidth("\xA3\xFE"), "~");
}

TEST(TextToInteger, IdeographicSpaceIsWhiteSpace) {
  EXPECT_EQ(TextToInteger("　　42"), 42);       // A1A1 A1A1
  EXPECT_EQ(FoldFullWidth("\xA1\xAB"), "~");
  EXPECT_EQ(FoldFullWidth("\xA1\xEE\xA1\xEF"), "**");
  // Folded symbols are not digits: reading stops there.
  EXPECT_EQ(TextToInteger("5\xA1\xAB" "6"), 5);
}

TEST(TextToInteger, OtherDoubleByteCharactersStayAndStopTheNumber) {
  EXPECT_EQ(FoldFullWidth("分钟"), "分钟");
  EXPECT_EQ(TextToInteger("分5"), 0);
  EXPECT_EQ(TextToInteger("5分"), 5);
  // Outside the block's trail range the pair stays as it is.
  EXPECT_EQ(FoldFullWidth("\xA3\xA0"), "\xA3\xA0");
  EXPECT_EQ(FoldFullWidth("\xA1\xA2"), "\xA1\xA2");
}

TEST(TextToInteger, ALeadByteTakesTheNextByteWhateverItIs) {
  // 0xB7 pairs with "1", so the "1" is not a digit of the number.
  EXPECT_EQ(TextToInteger("\xB7" "12"), 0);
  EXPECT_EQ(FoldFullWidth("\xB7" "12"), "\xB7" "12");
  // 0xA3 followed by 0x31 is not in the folded block: nothing changes.
  EXPECT_EQ(FoldFullWidth("\xA3" "1"), "\xA3" "1");
}

TEST(TextToInteger, ALeadByteAtTheVeryEndStaysAlone) {
  EXPECT_EQ(FoldFullWidth("12\xA3"), "12\xA3");
  EXPECT_EQ(TextToInteger("12\xA3"), 12);
  EXPECT_EQ(TextToInteger("\xA1"), 0);
}

TEST(TextToInteger, ValuesBeyondThirtyTwoBitsSaturate) {
  EXPECT_EQ(TextToInteger("2147483647"), kMax);
  EXPECT_EQ(TextToInteger("2147483648"), kMax);
  EXPECT_EQ(TextToInteger("-2147483648"), kMin);
  EXPECT_EQ(TextToInteger("-2147483649"), kMin);
  EXPECT_EQ(TextToInteger("99999999999999999999999999999999"), kMax);
  EXPECT_EQ(TextToInteger("-" + std::string(400, '9')), kMin);
  EXPECT_EQ(TextToInteger("4294967296"), kMax);  // would wrap to 0 in 32 bits
}

TEST(IntegerToText, WritesSignedDecimal) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(13948116), "13948116");
  EXPECT_EQ(IntegerToText(-5), "-5");
  EXPECT_EQ(IntegerToText(kMin), "-2147483648");
  // A colour with its top bit set is written with a minus sign and reads back the same.
  const auto topBitColour = static_cast<std::int32_t>(0xFF000000u);
  EXPECT_EQ(TextToInteger(IntegerToText(topBitColour)), topBitColour);
}

}  // namespace
}  // namespace zorvane

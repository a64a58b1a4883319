// Fuzzes the text-to-number conversion with arbitrary bytes, checking it against the C
// library's own reading of the folded text and against its inverse, IntegerToText.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/text_to_integer.h"
#include "tests/fuzz/fuzz_check.h"

namespace zorvane::fuzz {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

std::int32_t Saturated(long long value) {
  if (value < kMin) return static_cast<std::int32_t>(kMin);
  if (value > kMax) return static_cast<std::int32_t>(kMax);
  return static_cast<std::int32_t>(value);
}

// atol's rules with the range clamped, read by strtoll: a second, independent reader of
// the text once its full-width characters are folded. The fuzzer never changes the locale,
// so strtoll sees the "C" locale's white space and digits. A NUL byte ends strtoll's text
// where it would end TextToInteger's number, as NUL is neither a blank, a sign nor a digit.
std::int32_t ReadByStrtoll(const std::string& asciiText) {
  return Saturated(std::strtoll(asciiText.c_str(), nullptr, 10));
}

// The full-width twin of ASCII text: every printable character moved into the full-width
// block, a space into the ideographic space, control characters kept.
std::string Widened(std::string_view ascii) {
  std::string wide;
  for (const char c : ascii) {
    if (c == ' ') {
      wide += "\xA1\xA1";
    } else if (c > ' ' && c < 0x7F) {
      wide += '\xA3';
      wide += static_cast<char>(c | 0x80);
    } else {
      wide += c;
    }
  }
  return wide;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

void CheckArbitraryText(std::string_view text) {
  const std::int32_t value = TextToInteger(text);
  const std::string folded = FoldFullWidth(text);
  Require(folded.size() <= text.size(), "folding never lengthens a text");
  Require(FoldFullWidth(folded) == folded, "folding a folded text changes nothing");
  Require(TextToInteger(folded) == value, "the number is read from the folded text");
  Require(ReadByStrtoll(folded) == value, "the folded text reads as strtoll reads it, clamped");
  if (IsAscii(text)) {
    const std::string wide = Widened(text);
    Require(FoldFullWidth(wide) == text, "full-width characters fold back to their twins");
    Require(TextToInteger(wide) == value, "full-width text reads as its ASCII twin");
  }
}

void CheckRoundTrip(std::int32_t value) {
  const std::string text = IntegerToText(value);
  char printed[16];
  std::snprintf(printed, sizeof printed, "%d", static_cast<int>(value));
  Require(text == printed, "IntegerToText writes what %d writes");
  Require(TextToInteger(text) == value, "IntegerToText reads back as the same number");
  Require(TextToInteger(Widened(text)) == value, "the full-width form reads back the same");
  Require(TextToInteger(" \t\r\n\xA1\xA1" + text + "x9") == value,
          "leading white space and trailing text leave the number alone");
  if (value >= 0) Require(TextToInteger("+" + text) == value, "a plus sign changes nothing");

  // One digit more multiplies by ten, saturating at the ends of the range.
  const std::int64_t tenfold = std::int64_t{value} * 10 + (value < 0 ? -7 : 7);
  Require(TextToInteger(text + "7") == Saturated(tenfold), "one digit more saturates");
}

}  // namespace
}  // namespace zorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zorvane::fuzz::CheckArbitraryText(text);

  // The input's first bytes, zero-padded, also name a 32-bit number to write and read back.
  std::uint32_t bits = 0;
  if (size > 0) std::memcpy(&bits, data, std::min(size, sizeof bits));
  zorvane::fuzz::CheckRoundTrip(static_cast<std::int32_t>(bits));
  return 0;
}

#include "core/text_to_integer.h"

#include <algorithm>
#include <limits>

namespace zorvane {
namespace {

constexpr unsigned char kFullWidthLead = 0xA3;   // the full-width block of ASCII twins
constexpr unsigned char kSymbolLead = 0xA1;      // ideographic space and a few symbols

// In code page 936 every byte from 0x81 to 0xFE starts a two-byte character; an ANSI
// program walks the text that way, pairing it with whatever byte follows.
bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The ASCII character a double-byte character folds to, or 0 when it stays as it is.
char FoldedCharacter(unsigned char lead, unsigned char trail) {
  if (lead == kFullWidthLead && trail >= 0xA1 && trail <= 0xFE) {
    return static_cast<char>(trail & 0x7F);
  }
  if (lead == kSymbolLead) {
    switch (trail) {
      case 0xA1: return ' ';  // ideographic space
      case 0xAB: return '~';
      case 0xEE:
      case 0xEF: return '*';
      default: break;
    }
  }
  return 0;
}

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string FoldFullWidth(std::string_view gbkText) {
  std::string folded;
  folded.reserve(gbkText.size());
  for (std::size_t i = 0; i < gbkText.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbkText[i]);
    if (IsLeadByte(byte) && i + 1 < gbkText.size()) {
      const auto trail = static_cast<unsigned char>(gbkText[i + 1]);
      if (const char ascii = FoldedCharacter(byte, trail); ascii != 0) {
        folded.push_back(ascii);
      } else {
        folded.append(gbkText.substr(i, 2));
      }
      ++i;
    } else {
      folded.push_back(gbkText[i]);
    }
  }
  return folded;
}

std::int32_t TextToInteger(std::string_view gbkText) {
  const std::string text = FoldFullWidth(gbkText);
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulated as a magnitude in 64 bits and clamped as soon as it leaves the 32-bit
  // range, so no digit string, however long, overflows.
  constexpr std::int64_t kMaxMagnitude = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kMaxMagnitude) magnitude = kMaxMagnitude;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(std::min(magnitude, kMaxMagnitude - 1));
}

std::string IntegerToText(std::int32_t value) { return std::to_string(value); }

}  // namespace zorvane

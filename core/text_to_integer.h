// The one conversion from text to a number, used for every number the program reads from a
// text: the time entry, the digit geometry at Start and the colours from the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane {

// Full-width characters of the code page 936 text become their ASCII twins first (so
// full-width digits count as digits); then, like the C library's atol, leading white space
// is skipped, an optional sign taken and decimal digits read up to the first other
// character. No digits give 0. A value beyond the 32-bit range saturates at INT32_MIN or
// INT32_MAX.
std::int32_t TextToInteger(std::string_view gbkText);

// The first step alone: the text with its full-width characters folded to ASCII.
std::string FoldFullWidth(std::string_view gbkText);

// Signed decimal text, as "%d" writes it.
std::string IntegerToText(std::int32_t value);

}  // namespace zorvane

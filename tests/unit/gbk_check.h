// Whether bytes are valid code page 936 text. The compiler turns literals into GB18030,
// which gives GBK's characters GBK's bytes but encodes the others too: this catches a
// character the program's code page does not have.
#pragma once

#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace zorvane::testing {

inline bool IsGbk(std::string_view text) {
  if (text.empty()) return true;
#ifdef _WIN32
  return MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                             nullptr, 0) > 0;
#else
  iconv_t converter = iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string input(text);
  std::string output(text.size() * 4, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  return result != static_cast<std::size_t>(-1) && inLeft == 0;
#endif
}

}  // namespace zorvane::testing

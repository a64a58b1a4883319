// UTF-8 on the pipe, UTF-16 inside Windows.
#pragma once

#include <string>
#include <string_view>

namespace zdriver {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace zdriver

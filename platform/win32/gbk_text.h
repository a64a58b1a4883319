// The program's texts are code page 936 (GBK) bytes; the window functions used here are the
// wide ones, so the interface reads correctly on a Windows of any language.
#pragma once

#include <string>
#include <string_view>

namespace zorvane::win32 {

std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);

}  // namespace zorvane::win32

// Texts between the program's byte strings and the UTF-16 of the wide window functions.
// The interface's texts are code page 936 (GBK), so it reads correctly on a Windows of any
// language; paths are UTF-8, so any Unicode path works.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorvane::win32 {

std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);

// Nothing for bytes that are not valid UTF-8.
std::optional<std::wstring> Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace zorvane::win32

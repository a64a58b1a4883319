#include "platform/win32/text_conversion.h"

#include <windows.h>

#include <climits>

namespace zorvane::win32 {
namespace {

constexpr UINT kGbkCodePage = 936;

std::optional<std::wstring> ToWide(std::string_view bytes, UINT codePage, DWORD flags) {
  if (bytes.empty()) return std::wstring();
  if (bytes.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
  return ToWide(gbk, kGbkCodePage, 0).value_or(std::wstring());
}

std::string WideToGbk(std::wstring_view wide) { return FromWide(wide, kGbkCodePage); }

std::optional<std::wstring> Utf8ToWide(std::string_view utf8) {
  return ToWide(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
}

std::string WideToUtf8(std::wstring_view wide) { return FromWide(wide, CP_UTF8); }

}  // namespace zorvane::win32

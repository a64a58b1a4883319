#include "platform/win32/debug_output.h"

#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"

namespace zorvane::win32 {

void SendToDebugOutput(std::string_view reason) {
  const std::wstring line = L"Zorvane: " + GbkToWide(reason) + L"\n";
  OutputDebugStringW(line.c_str());
}

}  // namespace zorvane::win32

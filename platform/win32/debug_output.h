// Where the lines of failures the program lets pass go on Windows: the debug output, which a
// debugger shows and Wine prints on its debugstr channel.
#pragma once

#include <string_view>

namespace zorvane::win32 {

void SendToDebugOutput(std::string_view reason);

}  // namespace zorvane::win32

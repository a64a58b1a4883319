// Calls looked up by name when the program runs rather than imported: those that the
// oldest Windows the program runs on lacks, and those of a library loaded only when first
// needed. A call the library does not have is left null.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

template <typename Function>
void Bind(HMODULE library, const char* name, Function& function) {
  // Through the one function type GCC lets every other be cast to.
  function = reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace zorvane::win32

// The program's own window classes: each described the same way, and registered with the
// result checked.
#pragma once

#include <windows.h>

namespace zorvane::win32 {

// A class of this module with the arrow cursor, to fill in further where a class needs it.
WNDCLASSEXW OwnClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// Registers the class, or finds it registered already by an earlier window system of this
// process, which is the one case of ERROR_CLASS_ALREADY_EXISTS that is expected. False when
// the system refuses, or when a class of that name is another one (its own window
// procedure or extra bytes): a programming error, which the caller passes on.
bool RegisterOwnClass(const WNDCLASSEXW& windowClass);

}  // namespace zorvane::win32

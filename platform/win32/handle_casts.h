// The window system's opaque handles are HWNDs by value. Every conversion between them, and
// between an HWND and the plain number it travels as (to another process, in text), is
// spelled here and nowhere else.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/window_system.h"

namespace zorvane::win32 {

inline std::uintptr_t HwndValue(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }
inline HWND HwndFromValue(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

inline HWND AsHwnd(WindowHandle window) { return HwndFromValue(window.value); }
inline HWND AsHwnd(ControlHandle control) { return HwndFromValue(control.value); }
inline WindowHandle AsWindow(HWND hwnd) { return WindowHandle{HwndValue(hwnd)}; }
inline ControlHandle AsControl(HWND hwnd) { return ControlHandle{HwndValue(hwnd)}; }

}  // namespace zorvane::win32

// What the resource probe answers, shared by the probe and the driver that asks it.
#pragma once

#include <windows.h>

namespace zorvane::probe {

inline constexpr wchar_t kWindowClass[] = L"ZorvaneResourceProbe";
// Sent with the figure wanted in wParam; the answer is the result, -1 if it cannot be had.
inline constexpr UINT kAskMessage = WM_APP + 0x50;

enum class Figure : WPARAM { Handles, GdiObjects, Threads, PrivateKilobytes, HeapBytes };

}  // namespace zorvane::probe

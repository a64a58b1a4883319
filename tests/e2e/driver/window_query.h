// What the driver reads from the windows of another process: the layout names the program
// puts on its windows and controls, texts, rectangles.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zdriver {

// The layout name a window carries, or nothing for a window the program did not tag.
std::optional<std::wstring> LayoutName(HWND hwnd);

// Top-level windows that carry a layout name, in Z order.
std::vector<HWND> TaggedTopLevelWindows();

// Every descendant of `root` (children, their children ...) that carries a layout name.
std::vector<HWND> TaggedDescendants(HWND root);

// Top-level windows of the process that carry no layout name, such as its message boxes,
// in Z order.
std::vector<HWND> UntaggedTopLevelWindows(DWORD processId);

// Every descendant of `root`, tagged or not.
std::vector<HWND> AllDescendants(HWND root);

// The text as the window's own thread answers WM_GETTEXT; nothing when that thread does
// not answer in time.
std::optional<std::wstring> WindowText(HWND hwnd);

// Sets the text through WM_SETTEXT, as a program's own code would; false when the
// window's thread did not answer in time.
bool SetWindowTextNow(HWND hwnd, const std::wstring& text);

std::wstring ClassName(HWND hwnd);

// The full path of the executable that runs the process, as Windows spells it.
std::wstring ProcessImage(DWORD processId);

// `screen` (in screen coordinates) in the client coordinates of `hwnd`.
RECT ToClient(HWND hwnd, RECT screen);

RECT ClientRectOnScreen(HWND hwnd);

// How long the driver waits for another process's window to answer a message.
inline constexpr UINT kAnswerTimeoutMs = 5000;

}  // namespace zdriver

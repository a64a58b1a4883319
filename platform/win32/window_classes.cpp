#include "platform/win32/window_classes.h"

namespace zorvane::win32 {

WNDCLASSEXW OwnClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = name;
  return windowClass;
}

bool RegisterOwnClass(const WNDCLASSEXW& windowClass) {
  if (RegisterClassExW(&windowClass) != 0) return true;
  if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof(registered);
  return GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &registered) &&
         registered.lpfnWndProc == windowClass.lpfnWndProc &&
         registered.cbWndExtra == windowClass.cbWndExtra;
}

}  // namespace zorvane::win32

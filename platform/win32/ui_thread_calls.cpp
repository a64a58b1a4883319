#include "platform/win32/ui_thread_calls.h"

namespace zorvane::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"ZorvaneUiThreadCalls";
constexpr UINT kRunCall = WM_APP + 1;

LRESULT CALLBACK CallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunCall) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterCallClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CallWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

UiThreadCalls::UiThreadCalls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterCallClass(instance)) return;
  // Message-only: no place on the screen, never among the program's windows.
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            instance, nullptr);
}

UiThreadCalls::~UiThreadCalls() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void UiThreadCalls::Run(const std::function<void()>& task) const {
  // Without its window (it could not be made) the call runs where it is: the window
  // functions it uses still carry a change to the UI thread by themselves.
  if (window_ == nullptr) {
    task();
    return;
  }
  SendMessageW(window_, kRunCall, 0, reinterpret_cast<LPARAM>(&task));
}

}  // namespace zorvane::win32

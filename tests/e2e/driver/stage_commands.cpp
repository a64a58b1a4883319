#include "tests/e2e/driver/stage_commands.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/handle_casts.h"
#include "tests/e2e/driver/json_writer.h"
#include "tests/e2e/driver/utf8.h"
#include "tests/e2e/driver/window_query.h"

namespace zdriver {
namespace {

constexpr wchar_t kCoverClass[] = L"ZdriverSlideShow";

std::int64_t HwndNumber(HWND hwnd) {
  return static_cast<std::int64_t>(zorvane::win32::HwndValue(hwnd));
}

double NowUs() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK CoverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The slide show's window lives on a thread of its own, whose message loop answers what
// the system and the program under test send it while the driver waits for commands.
struct Cover {
  HANDLE thread = nullptr;
  HWND hwnd = nullptr;
  HANDLE ready = nullptr;
};
Cover cover;

DWORD WINAPI CoverThread(LPVOID) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CoverProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kCoverClass;
  windowClass.hbrBackground = CreateSolidBrush(RGB(40, 60, 110));  // a slide's dark blue
  RegisterClassW(&windowClass);
  cover.hwnd = CreateWindowExW(WS_EX_TOPMOST, kCoverClass, L"Slides", WS_POPUP | WS_VISIBLE, 0,
                               0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               nullptr, nullptr, instance, nullptr);
  SetForegroundWindow(cover.hwnd);
  SetEvent(cover.ready);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

Answer CoverScreen() {
  const double raisedAt = NowUs();
  if (cover.thread == nullptr) {
    cover.ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    cover.thread = CreateThread(nullptr, 0, CoverThread, nullptr, 0, nullptr);
    WaitForSingleObject(cover.ready, 10000);
  } else {
    SetWindowPos(cover.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(cover.hwnd);
  }
  JsonWriter json;
  json.BeginObject()
      .Flag("ok", cover.hwnd != nullptr)
      .Number("hwnd", HwndNumber(cover.hwnd))
      .Number("calledAtUs", static_cast<std::int64_t>(raisedAt))
      .EndObject();
  return {json.str()};
}

Answer Uncover() {
  if (cover.thread != nullptr) {
    PostMessageW(cover.hwnd, WM_CLOSE, 0, 0);
    WaitForSingleObject(cover.thread, 10000);
    CloseHandle(cover.thread);
    CloseHandle(cover.ready);
    cover = {};
  }
  return {R"({"ok":true})"};
}

BOOL CALLBACK AddWindow(HWND hwnd, LPARAM found) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

Answer ZOrder() {
  std::vector<HWND> windows;
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  JsonWriter json;
  json.BeginObject()
      .Flag("ok", true)
      .Number("foreground", HwndNumber(GetForegroundWindow()))
      .Key("windows")
      .BeginArray();
  for (HWND hwnd : windows) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    json.BeginObject()
        .Number("hwnd", HwndNumber(hwnd))
        .Text("name", ToUtf8(LayoutName(hwnd).value_or(L"")))
        .Text("className", ToUtf8(ClassName(hwnd)))
        .Number("pid", processId)
        .Flag("topmost", (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        .Number("above", HwndNumber(GetWindow(hwnd, GW_HWNDPREV)))
        .EndObject();
  }
  json.EndArray().EndObject();
  return {json.str()};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM out) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  reinterpret_cast<JsonWriter*>(out)
      ->BeginObject()
      .Number("left", r.left)
      .Number("top", r.top)
      .Number("width", r.right - r.left)
      .Number("height", r.bottom - r.top)
      .Flag("primary", (info.dwFlags & MONITORINFOF_PRIMARY) != 0)
      .EndObject();
  return TRUE;
}

Answer Monitors() {
  JsonWriter json;
  json.BeginObject().Flag("ok", true).Key("monitors").BeginArray();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&json));
  json.EndArray().EndObject();
  return {json.str()};
}

}  // namespace

std::optional<Answer> RunStageCommand(std::string_view verb) {
  if (verb == "cover") return CoverScreen();
  if (verb == "uncover") return Uncover();
  if (verb == "zorder") return ZOrder();
  if (verb == "monitors") return Monitors();
  return std::nullopt;
}

}  // namespace zdriver

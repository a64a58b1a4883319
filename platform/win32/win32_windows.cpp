// The windows themselves: registering their class, building them from their layouts,
// destroying them, and their geometry, visibility and enabled states.
#include "platform/win32/win32_window_state.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/ignored_failure.h"
#include "platform/win32/handle_casts.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/window_classes.h"

namespace zorvane::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"ZorvaneWindow";

struct FrameStyles {
  DWORD style;
  DWORD exStyle;
};

FrameStyles StylesFor(const WindowSpec& layout) {
  // Unowned top-level windows get their own taskbar buttons as they are; WS_EX_APPWINDOW is
  // not needed for that (and would make Wine hand the window to an X window manager).
  DWORD exStyle = WS_EX_CONTROLPARENT;
  // Created in the topmost band: nothing more to do before the show. (Putting it there
  // afterwards with SetWindowPos would also activate the hidden window, which makes the
  // system ready it for typing before it has a control: some 20 ms of every start.)
  if (layout.topmost) exStyle |= WS_EX_TOPMOST;
  switch (layout.frame) {
    case FrameStyle::DialogFrame:
      // A dialog frame without WS_BORDER has no title bar and no system menu.
      return {WS_POPUP | WS_DLGFRAME, exStyle};
    case FrameStyle::CaptionClose:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle | WS_EX_DLGMODALFRAME};
    case FrameStyle::Borderless:
      return {WS_POPUP, exStyle};
  }
  return {WS_POPUP, exStyle};
}

// The DPI of the monitor the window is on, as Windows 10 (1607) and later tell it; 0 before
// them (the call is looked up, so that the program still starts on Windows 7).
int MonitorDpiOf(HWND hwnd) {
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const GetDpiForWindowCall getDpiForWindow = [] {
    GetDpiForWindowCall call = nullptr;
    Bind(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow", call);
    return call;
  }();
  return getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(hwnd)) : 0;
}

// Adds the monitor's rectangle to the list `found` points at: the primary monitor first,
// the others in the system's order.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  auto& list = *reinterpret_cast<std::vector<Rect>*>(found);
  const Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  list.push_back(rect);
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
    std::rotate(list.begin(), list.end() - 1, list.end());
  }
  return TRUE;
}

// Whether a visible window of another process lies above `hwnd` in the z-order.
bool OtherProgramAbove(HWND hwnd) {
  const DWORD ours = GetCurrentProcessId();
  for (HWND above = GetWindow(hwnd, GW_HWNDPREV); above != nullptr;
       above = GetWindow(above, GW_HWNDPREV)) {
    DWORD process = 0;
    GetWindowThreadProcessId(above, &process);
    if (process != ours && ::IsWindowVisible(above)) return true;
  }
  return false;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem() : state_(std::make_unique<State>()) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  state_->classesRegistered =
      RegisterControlClasses(instance) &&
      RegisterOwnClass(OwnClass(instance, kWindowClass, State::WindowProc));
}

Win32WindowSystem::~Win32WindowSystem() {
  // Windows still open belong to this object's records: close them before the records go.
  std::vector<HWND> open;
  for (const auto& [hwnd, record] : state_->windows) open.push_back(hwnd);
  for (HWND hwnd : open) ::DestroyWindow(hwnd);
  state_->windows.clear();
}

WindowHandle Win32WindowSystem::CreateWindowFromLayout(const WindowSpec& layout,
                                                       std::vector<EventBinding> bindings,
                                                       WindowHandle* handle) {
  // A class that could not be registered is a programming error: rather than a window with
  // controls missing, or one that another class's procedure runs, there is none, and the
  // zero handle says so.
  if (!state_->classesRegistered) {
    TraceIgnoredFailure("no window " + std::string(layout.name) + ": its class is not registered");
    return {};
  }
  auto record = std::make_unique<WindowRecord>();
  record->system = state_.get();
  record->layout = ScaledLayout(layout, ScreenDpi());
  const WindowSpec& scaled = record->layout.Window();
  record->events = EventBindings(std::move(bindings));
  record->background.reset(CreateSolidBrush(ResolveColour(scaled.background)));

  const FrameStyles styles = StylesFor(scaled);
  const Point origin = CentredOrigin(scaled.size, ScreenSize());
  const std::wstring title = GbkToWide(scaled.title);
  // The record goes with the window's creation data: WM_NCCREATE binds it to the window,
  // so it is found from that first message on, before CreateWindowExW returns.
  WindowRecord* window = record.get();
  HWND hwnd = CreateWindowExW(styles.exStyle, kWindowClass, title.c_str(), styles.style, origin.x,
                              origin.y, scaled.size.width, scaled.size.height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), window);
  if (hwnd == nullptr) {
    TraceIgnoredFailure("no window " + std::string(scaled.name) + ": CreateWindowExW failed");
    return {};
  }
  window->layoutName = GlobalAtom(GbkToWide(scaled.name));
  TagWithLayoutName(hwnd, window->layoutName);
  state_->windows.emplace(hwnd, std::move(record));
  // The system's DPI is fixed at sign-in; the screen's scale may have changed since.
  if (const int dpi = MonitorDpiOf(hwnd); dpi > 0 && dpi != window->layout.Dpi()) {
    window->layout.Rescale(dpi);
    const Point at = CentredOrigin(scaled.size, ScreenSize());
    SetWindowPos(hwnd, nullptr, at.x, at.y, scaled.size.width, scaled.size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  for (std::size_t i = 0; i < scaled.controls.size(); ++i) {
    window->controls.push_back(CreateControl(*window, i));
  }
  if (handle != nullptr) *handle = AsWindow(hwnd);
  State::Fire(*window, {}, UiEvent::Created);
  if (scaled.visible && ::IsWindow(hwnd)) ShowWindow(AsWindow(hwnd), true);
  return AsWindow(hwnd);
}

void Win32WindowSystem::DestroyWindow(WindowHandle window) {
  const HWND hwnd = AsHwnd(window);
  // Only the thread that made a window can destroy it, and the records are that thread's.
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
  // Once begun, a destruction runs to its end; asking again from inside it would run the
  // window's AboutToBeDestroyed handler once more.
  const WindowRecord* record = state_->RecordOf(hwnd);
  if (record != nullptr && record->events.Destroying()) return;
  state_->Destroy(hwnd);
}

void Win32WindowSystem::State::Destroy(HWND hwnd) {
  GiveBackEnabledStates(hwnd);
  ::DestroyWindow(hwnd);
}

bool Win32WindowSystem::WindowExists(WindowHandle window) const {
  return window && ::IsWindow(AsHwnd(window));
}

Rect Win32WindowSystem::WindowBounds(WindowHandle window) const {
  RECT rect{};
  if (!GetWindowRect(AsHwnd(window), &rect)) return {};
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32WindowSystem::SetWindowBounds(WindowHandle window, Rect bounds) {
  SetWindowPos(AsHwnd(window), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) const {
  return ::IsWindowVisible(AsHwnd(window)) != FALSE;
}

void Win32WindowSystem::ShowWindow(WindowHandle window, bool visible) {
  const HWND hwnd = AsHwnd(window);
  // The records belong to the UI thread; a redraw on a worker thread shows the display
  // window too, and has no keyboard to note or pending focus to hand over.
  const bool onUiThread = GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
  if (onUiThread && visible && !::IsWindowVisible(hwnd) && state_->RecordOf(hwnd) != nullptr) {
    state_->keyboardBeforeShown[hwnd] = KeyboardPlace{};
  }
  // A window that must not take the keyboard is shown where it is in the z-order, inactive.
  const WindowRecord* shown = onUiThread ? state_->RecordOf(hwnd) : nullptr;
  const bool activates = shown == nullptr || shown->layout.Window().activatesWhenShown;
  ::ShowWindow(hwnd, !visible ? SW_HIDE : activates ? SW_SHOW : SW_SHOWNA);
  if (!visible || !onUiThread) return;
  // A focus asked for while the window was hidden takes effect now that it can.
  if (WindowRecord* record = state_->RecordOf(hwnd); record != nullptr && record->pendingFocus) {
    ::SetFocus(record->pendingFocus);
    record->pendingFocus = nullptr;
  }
}

bool Win32WindowSystem::IsWindowEnabled(WindowHandle window) const {
  return ::IsWindowEnabled(AsHwnd(window)) != FALSE;
}

void Win32WindowSystem::EnableWindow(WindowHandle window, bool enabled) {
  ::EnableWindow(AsHwnd(window), enabled ? TRUE : FALSE);
}

Size Win32WindowSystem::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// GetDpiForSystem came with Windows 10 (1607); before it, the screen's device context
// tells. It is looked up, not imported, so that the program still starts on Windows 7.
int Win32WindowSystem::ScreenDpi() const {
  using GetDpiForSystemCall = UINT(WINAPI*)();
  static const GetDpiForSystemCall getDpiForSystem = [] {
    GetDpiForSystemCall call = nullptr;
    Bind(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem", call);
    return call;
  }();
  if (getDpiForSystem != nullptr) return static_cast<int>(getDpiForSystem());
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : kLogicalDpi;
}

// A window of ours is laid out at the DPI its record holds (its monitor's, kept up to date
// by WM_DPICHANGED); any other at its monitor's, or the system's before Windows 10.
int Win32WindowSystem::WindowDpi(WindowHandle window) const {
  const HWND hwnd = AsHwnd(window);
  if (const WindowRecord* record = state_->RecordOf(hwnd)) return record->layout.Dpi();
  const int dpi = MonitorDpiOf(hwnd);
  return dpi > 0 ? dpi : ScreenDpi();
}

std::vector<Rect> Win32WindowSystem::MonitorRects() const {
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const Size screen = ScreenSize();
    monitors.push_back({0, 0, screen.width, screen.height});
  }
  return monitors;
}

// SWP_NOACTIVATE: the program that has the keyboard (the slide show) keeps it.
void Win32WindowSystem::KeepAboveOtherPrograms(WindowHandle window) {
  const HWND hwnd = AsHwnd(window);
  if (!OtherProgramAbove(hwnd)) return;
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

KeptPictures& Win32WindowSystem::Pictures() { return state_->pictures; }

}  // namespace zorvane::win32

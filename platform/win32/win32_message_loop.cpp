// The message loop, and the keys it handles for a whole window before the control with
// the focus sees them: Esc closes the window, Tab moves the focus.
#include "platform/win32/win32_window_state.h"

#include "platform/tab_order.h"

namespace zorvane::win32 {
namespace {

// Whether some part of the control lies inside the window's client area, where a user can
// see it.
bool LiesPartlyInside(HWND control, HWND root) {
  RECT client;
  RECT placed;
  RECT overlap;
  GetClientRect(root, &client);
  GetWindowRect(control, &placed);
  MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&placed), 2);
  return IntersectRect(&overlap, &client, &placed) != FALSE;
}

}  // namespace

void Win32WindowSystem::State::Dispatch(const MSG& message) const {
  if (PreTranslate(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// Keys that act on the whole window, whichever control has the focus. Returns true when
// the message has been handled.
bool Win32WindowSystem::State::PreTranslate(const MSG& message) const {
  if (message.message != WM_KEYDOWN) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  const WindowRecord* window = RecordOf(root);
  if (window == nullptr) return false;
  if (message.wParam == VK_ESCAPE && window->layout.Window().escapeCloses) {
    SendMessageW(root, WM_CLOSE, 0, 0);
    return true;
  }
  if (message.wParam == VK_TAB) {
    MoveFocus(root, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  return false;
}

// Tab moves through the visible tab-stop controls in the order of their focus numbers,
// passing over those that lie wholly outside the window, as the about area's buttons do
// while the bar is folded: the focus would vanish from sight, and Space would press a
// button nobody can see.
void Win32WindowSystem::State::MoveFocus(HWND root, bool backwards) const {
  const WindowRecord* window = RecordOf(root);
  if (window == nullptr || window->controls.empty()) return;
  std::ptrdiff_t current = -1;
  const HWND focused = GetFocus();
  for (std::size_t i = 0; i < window->controls.size(); ++i) {
    if (window->controls[i]->hwnd == focused) current = static_cast<std::ptrdiff_t>(i);
  }
  const std::ptrdiff_t next =
      NextTabStop(window->layout.Window().controls, current, backwards, [&](std::size_t index) {
        const HWND candidate = window->controls[index]->hwnd;
        return candidate != nullptr && ::IsWindowVisible(candidate) &&
               ::IsWindowEnabled(candidate) && LiesPartlyInside(candidate, root);
      });
  if (next < 0 || next == current) return;
  const ControlRecord& target = *window->controls[static_cast<std::size_t>(next)];
  ::SetFocus(target.hwnd);
  if (target.layout->kind == ControlKind::EditBox) SendMessageW(target.hwnd, EM_SETSEL, 0, -1);
}

void Win32WindowSystem::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) state_->Dispatch(message);
}

void Win32WindowSystem::PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return;  // left in the queue for the main loop
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    state_->Dispatch(message);
  }
}

}  // namespace zorvane::win32

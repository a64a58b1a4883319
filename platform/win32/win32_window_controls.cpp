// The controls of the built windows: finding them by name, their texts, colours and
// pictures, and the focus, which a window keeps for the control that had it last.
#include "platform/win32/win32_window_state.h"

#include <string>

#include "platform/win32/handle_casts.h"
#include "platform/win32/text_conversion.h"

namespace zorvane::win32 {

ControlHandle Win32WindowSystem::FindControl(WindowHandle window, std::string_view name) const {
  const WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr) return {};
  for (const auto& control : record->controls) {
    if (control->layout->name == name) return AsControl(control->hwnd);
  }
  return {};
}

std::string Win32WindowSystem::ControlText(ControlHandle control) const {
  const HWND hwnd = AsHwnd(control);
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return WideToGbk(text);
}

void Win32WindowSystem::SetControlText(ControlHandle control, std::string_view text) {
  SetWindowTextW(AsHwnd(control), GbkToWide(text).c_str());
}

Colour Win32WindowSystem::ControlColour(ControlHandle control) const {
  return PickerColour(AsHwnd(control));
}

void Win32WindowSystem::SetControlColour(ControlHandle control, Colour colour) {
  SetPickerColour(AsHwnd(control), colour);
}

bool Win32WindowSystem::ShowsPicture(ControlHandle control) const {
  const HWND hwnd = AsHwnd(control);
  const WindowRecord* window = state_->RecordOf(GetAncestor(hwnd, GA_ROOT));
  if (window == nullptr) return false;
  const ControlRecord* record = window->ControlById(GetDlgCtrlID(hwnd));
  return record != nullptr && record->picture != nullptr;
}

LRESULT Win32WindowSystem::State::OnControlColour(const WindowRecord& window, HDC dc,
                                                  HWND controlHwnd) {
  const ControlRecord* control = window.ControlById(GetDlgCtrlID(controlHwnd));
  if (control == nullptr || !control->background) {
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  SetTextColor(dc, ResolveColour(control->layout->textColour));
  SetBkColor(dc, ResolveColour(control->layout->backColour));
  return reinterpret_cast<LRESULT>(control->background.get());
}

void Win32WindowSystem::SetFocus(ControlHandle control) {
  const HWND hwnd = AsHwnd(control);
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!::IsWindowVisible(root)) {
    if (WindowRecord* record = state_->RecordOf(root); record != nullptr) {
      record->pendingFocus = hwnd;
      return;
    }
  }
  ::SetFocus(hwnd);
}

void Win32WindowSystem::State::RememberFocus(HWND root) {
  const HWND focus = GetFocus();
  if (focus != nullptr && ::IsChild(root, focus)) lastFocus[root] = focus;
}

bool Win32WindowSystem::State::GiveFocusBack(HWND root, HWND previous) {
  if (previous != nullptr && ::IsChild(root, previous)) lastFocus[root] = previous;
  const auto found = lastFocus.find(root);
  if (found == lastFocus.end()) return false;
  const HWND control = found->second;
  if (!::IsWindow(control) || !::IsChild(root, control) || !::IsWindowVisible(control) ||
      !::IsWindowEnabled(control)) {
    return false;
  }
  ::SetFocus(control);
  return true;
}

}  // namespace zorvane::win32

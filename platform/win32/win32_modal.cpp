// Modal runs: a window of our own in a nested message loop with the others disabled, and
// the system's message box; both give the keyboard back to where it was.
#include "platform/win32/win32_window_state.h"

#include <utility>
#include <vector>

#include "platform/win32/handle_casts.h"
#include "platform/win32/text_conversion.h"

namespace zorvane::win32 {

void KeyboardPlace::Restore() const {
  const HWND target = ::IsWindow(focus) ? focus : active;
  if (!::IsWindow(target)) return;
  const HWND root = GetAncestor(target, GA_ROOT);
  if (!::IsWindowEnabled(root) || !::IsWindowVisible(root)) return;
  if (target == root) {
    SetActiveWindow(root);
  } else {
    ::SetFocus(target);
  }
}

// The other windows get their enabled states back before a modal window goes, so that
// the system can hand the activation to one of them, as a dialog's end does.
void Win32WindowSystem::State::GiveBackEnabledStates(HWND modal) {
  const auto found = disabledByModal.find(modal);
  if (found == disabledByModal.end()) return;
  const std::vector<std::pair<HWND, bool>> wasEnabled = std::move(found->second);
  disabledByModal.erase(found);
  for (const auto& [hwnd, enabled] : wasEnabled) {
    if (RecordOf(hwnd) != nullptr) ::EnableWindow(hwnd, enabled ? TRUE : FALSE);
  }
}

// A window shown when it was made has the keyboard already: the place to give back at the
// end of its modal run is the one from before it was shown.
KeyboardPlace Win32WindowSystem::State::KeyboardBeforeModal(HWND modal) const {
  const auto shown = keyboardBeforeShown.find(modal);
  if (!::IsWindowVisible(modal) || shown == keyboardBeforeShown.end()) return {};
  return shown->second;
}

void Win32WindowSystem::ShowModal(WindowHandle window) {
  const HWND modal = AsHwnd(window);
  if (state_->RecordOf(modal) == nullptr) return;
  const KeyboardPlace before = state_->KeyboardBeforeModal(modal);
  std::vector<std::pair<HWND, bool>>& wasEnabled = state_->disabledByModal[modal];
  for (const auto& [hwnd, record] : state_->windows) {
    if (hwnd == modal) continue;
    wasEnabled.emplace_back(hwnd, ::IsWindowEnabled(hwnd) != FALSE);
    ::EnableWindow(hwnd, FALSE);
  }
  ShowWindow(window, true);

  // The program's own loop, nested: timers, Esc and Tab work as everywhere else.
  MSG message{};
  bool quit = false;
  while (state_->RecordOf(modal) != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    state_->Dispatch(message);
  }
  // Only a quit message ends the loop early; the window goes with the loop it belongs to.
  if (state_->RecordOf(modal) != nullptr) state_->Destroy(modal);
  state_->GiveBackEnabledStates(modal);  // done by its destruction, unless that failed
  before.Restore();
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop to see
}

void Win32WindowSystem::ShowMessageBox(std::string_view title, std::string_view text) {
  const KeyboardPlace before;
  // MB_TASKMODAL without an owner disables every window of this thread while the box is up
  // and enables again exactly those it disabled. MB_OK and no icon flag: one button, no icon.
  MessageBoxW(nullptr, GbkToWide(text).c_str(), GbkToWide(title).c_str(), MB_OK | MB_TASKMODAL);
  before.Restore();
}

}  // namespace zorvane::win32

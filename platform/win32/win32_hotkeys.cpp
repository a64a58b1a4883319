// Keys that work whichever program has the focus: registered with the system for one of
// our windows, which gets WM_HOTKEY with the key's id when it is pressed.
#include "platform/win32/win32_window_state.h"

#include <utility>

#include "platform/win32/handle_casts.h"

namespace zorvane::win32 {
namespace {

// A key held down sends one WM_HOTKEY, not one per auto-repeat: a held Start/Stop key must
// not start and stop over and over. (Windows 7 and later; Wine ignores the flag.)
constexpr UINT kNoRepeat = 0x4000;

}  // namespace

bool Win32WindowSystem::RegisterHotkey(WindowHandle window, int id, std::uint32_t modifiers,
                                       std::uint32_t key, std::function<void()> callback) {
  WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr || record->hotkeys.contains(id)) return false;
  if (::RegisterHotKey(AsHwnd(window), id, modifiers | kNoRepeat, key) == FALSE) return false;
  record->hotkeys.emplace(id, std::move(callback));
  return true;
}

void Win32WindowSystem::UnregisterHotkey(WindowHandle window, int id) {
  WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr || record->hotkeys.erase(id) == 0) return;
  ::UnregisterHotKey(AsHwnd(window), id);
}

// Copied out first: the handler may unregister the key, or destroy the window.
void Win32WindowSystem::State::OnHotkey(const WindowRecord& window, int id) {
  auto found = window.hotkeys.find(id);
  if (found == window.hotkeys.end()) return;
  const std::function<void()> handler = found->second;
  handler();
}

void Win32WindowSystem::State::UnregisterHotkeys(WindowRecord& window) {
  for (const auto& hotkey : window.hotkeys) ::UnregisterHotKey(window.hwnd, hotkey.first);
  window.hotkeys.clear();
}

}  // namespace zorvane::win32

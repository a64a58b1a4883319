#include "app/global_hotkeys.h"

namespace zorvane {
namespace {

// A hotkey's id is its action's place plus one: ids are the window's own, and the main
// window has no others.
int HotkeyId(std::size_t action) { return static_cast<int>(action) + 1; }

}  // namespace

void RegisterGlobalHotkeys(WindowSystem& ui, WindowHandle window, const StageOptions& options,
                           const HotkeyHandlers& handlers) {
  for (std::size_t action = 0; action < kHotkeyActions; ++action) {
    if (const std::optional<KeyChord>& chord = options.hotkeys[action]) {
      ui.RegisterHotkey(window, HotkeyId(action), chord->modifiers, chord->key,
                        handlers[action]);
    }
  }
}

void UnregisterGlobalHotkeys(WindowSystem& ui, WindowHandle window) {
  for (std::size_t action = 0; action < kHotkeyActions; ++action) {
    ui.UnregisterHotkey(window, HotkeyId(action));
  }
}

}  // namespace zorvane

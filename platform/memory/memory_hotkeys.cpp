// Keys that work from any program: one table for the whole system, as Windows keeps it,
// where a key belongs to one window or to another program.
#include "platform/memory/memory_window_system.h"

#include <algorithm>

namespace zorvane::memory {

using Lock = std::lock_guard<std::recursive_mutex>;

bool MemoryWindowSystem::RegisterHotkey(WindowHandle window, int id, std::uint32_t modifiers,
                                        std::uint32_t key, std::function<void()> callback) {
  Lock lock(mutex_);
  if (!windows_.contains(window.value)) return false;
  return hotkeys_.try_emplace({modifiers, key}, Hotkey{window.value, id, std::move(callback)})
      .second;
}

void MemoryWindowSystem::UnregisterHotkey(WindowHandle window, int id) {
  Lock lock(mutex_);
  std::erase_if(hotkeys_, [&](const auto& entry) {
    return entry.second.window == window.value && entry.second.id == id;
  });
}

std::size_t MemoryWindowSystem::HotkeyCount() const {
  Lock lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(hotkeys_.begin(), hotkeys_.end(),
                    [](const auto& entry) { return entry.second.window != 0; }));
}

}  // namespace zorvane::memory

// The presenter's keys, which work whichever program has the focus (a slide show, say):
// registered for the main window at start-up, each to the handler of its action, and
// unregistered at exit. A key the system refuses (another program holds it) is skipped and
// the others work; with no [hotkeys] lines nothing is registered.
#pragma once

#include <array>
#include <functional>

#include "core/stage_options.h"
#include "platform/window_system.h"

namespace zorvane {

// What each key does, in the order of HotkeyAction.
using HotkeyHandlers = std::array<std::function<void()>, kHotkeyActions>;

void RegisterGlobalHotkeys(WindowSystem& ui, WindowHandle window, const StageOptions& options,
                           const HotkeyHandlers& handlers);
void UnregisterGlobalHotkeys(WindowSystem& ui, WindowHandle window);

}  // namespace zorvane

// The screen the display is centred on: the primary screen, or the monitor the presenter
// chose in MyConfig.ini. Asked afresh at every centring, so a monitor that comes and goes
// is followed.
#pragma once

#include "core/stage_options.h"
#include "platform/window_system.h"

namespace zorvane {

// The primary screen without a choice; the Nth monitor (the primary first, then the others
// in the system's order), or the primary while there is no such monitor; with Monitor=bar
// the monitor that holds most of `bar`, or the nearest one. On the UI thread.
Rect DisplayScreen(const WindowSystem& ui, const MonitorChoice& choice, WindowHandle bar);

}  // namespace zorvane

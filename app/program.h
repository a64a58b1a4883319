// The program from start to end: the main window is created, the message loop runs until
// the main window has been destroyed, and the process ends.
#pragma once

#include "platform/window_system.h"

namespace zorvane {

int RunZorvane(WindowSystem& ui);

}  // namespace zorvane

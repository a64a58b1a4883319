// The main window: a narrow always-on-top bar with the time entry, the remaining seconds,
// four picture buttons, an about area seen only in the expanded width, and two hidden
// containers that hold the display settings.
#pragma once

#include "app/main_window_names.h"
#include "platform/layout.h"

namespace zorvane {

const WindowSpec& MainWindowSpec();

}  // namespace zorvane

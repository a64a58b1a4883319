// The main window's controls, looked up by name once the window exists and handed to the
// parts that use them: the control names are known in the shell alone.
#pragma once

#include "countdown/countdown.h"
#include "platform/window_system.h"
#include "settings/settings_file.h"

namespace zorvane {

CountdownControls FindCountdownControls(const WindowSystem& ui, WindowHandle mainWindow);
SettingsControls FindSettingsControls(const WindowSystem& ui, WindowHandle mainWindow);

}  // namespace zorvane

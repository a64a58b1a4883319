// What the buttons that open and close the auxiliary windows do. The help and update-notes
// windows open modally and without an owner, so the main window (and the display window,
// while a countdown is shown) takes no input until they close, while the countdown goes on.
#pragma once

#include "platform/window_system.h"

namespace zorvane {

// 使用说明按钮 of the main window: a new help window each time; returns once it is closed.
void OpenHelpWindow(WindowSystem& ui);
// 更新说明按钮 of the main window: a new update-notes window; returns once it is closed.
void OpenUpdateNotesWindow(WindowSystem& ui);
// 确定 of the update-notes window.
void CloseUpdateNotesWindow(WindowSystem& ui, WindowHandle notesWindow);
// 联机获取 of the update-notes window: the program has no network access, so fetching the
// notes online only says that it is not available. The program's only message box.
void ShowFeatureUnavailable(WindowSystem& ui);

}  // namespace zorvane

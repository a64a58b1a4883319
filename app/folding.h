// The main window's two widths. Folded it shows the time entry and the four buttons;
// expanded it adds the about area on its left. In both its right edge lies on the screen's.
// The widths are logical: on the screen they are scaled to its DPI, as the window's
// height and its controls were when it was created.
#pragma once

#include "platform/window_system.h"

namespace zorvane {

inline constexpr int FoldedWidth = 250;
inline constexpr int ExpandedWidth = 510;

// Folds the window and docks it at the bottom-right corner of the primary screen (the
// taskbar is not taken into account).
void FoldAndDock(WindowSystem& ui, WindowHandle mainWindow);

// Switches between the widths, growing or shrinking to the left; the top edge stays.
void ToggleFold(WindowSystem& ui, WindowHandle mainWindow);

}  // namespace zorvane

// The main window's two widths and its place. Folded it shows the time entry and the four
// buttons; expanded it adds the about area on its left. It docks at the bottom-right corner
// of the primary screen, and in both widths its right edge lies on the screen's.
// The widths are logical: on the screen they are scaled to the window's own DPI, as its
// height and its controls are.
#pragma once

#include "platform/window_system.h"

namespace zorvane {

inline constexpr int kFoldedWidth = 250;
inline constexpr int kExpandedWidth = 510;

// Remembers what the screen cannot tell afterwards: which width was chosen (a new DPI
// changes every width) and whether the bar is docked or where the user dragged it.
class BarPlacement {
 public:
  explicit BarPlacement(WindowSystem& ui) : ui_(ui) {}

  // Folds the window and docks it at the bottom-right corner of the primary screen (the
  // taskbar is not taken into account).
  void FoldAndDock(WindowHandle bar);
  // Switches between the widths, growing or shrinking to the left; the top edge stays.
  void ToggleFold(WindowHandle bar);
  // The screen changed. A docked bar docks again in the new corner, in its width; one the
  // user dragged elsewhere stays while it is whole on a monitor, and otherwise moves, whole,
  // onto the nearest one.
  void FollowScreen(WindowHandle bar);
  // The bar was laid out at another DPI: it takes its width at the new scale; docked, it
  // docks again, and otherwise it stays where the system put it.
  void FollowDpi(WindowHandle bar);
  void NoteDragged() { docked_ = false; }

 private:
  WindowSystem& ui_;
  bool expanded_ = false;
  bool docked_ = false;
};

}  // namespace zorvane

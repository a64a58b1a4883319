#include "app/fold_and_dock.h"

#include <vector>

#include "app/main_window_layout.h"
#include "platform/dpi_scale.h"
#include "platform/screen_fit.h"

namespace zorvane {
namespace {

// A logical length in the pixels of the window's DPI.
int OnScreen(const WindowSystem& ui, WindowHandle bar, int logicalWidth) {
  return ScaleLength(logicalWidth, ui.WindowDpi(bar));
}

}  // namespace

void BarPlacement::FoldAndDock(WindowHandle bar) {
  Rect bounds = ui_.WindowBounds(bar);
  bounds.width = OnScreen(ui_, bar, kFoldedWidth);
  ui_.SetWindowBounds(bar, bounds);
  expanded_ = false;
  docked_ = true;
  FollowScreen(bar);  // docks with the size the window really took
}

void BarPlacement::ToggleFold(WindowHandle bar) {
  Rect bounds = ui_.WindowBounds(bar);
  const int folded = OnScreen(ui_, bar, kFoldedWidth);
  // Any width but the folded one counts as expanded, so the next click always folds.
  expanded_ = bounds.width == folded;
  bounds.width = expanded_ ? OnScreen(ui_, bar, kExpandedWidth) : folded;
  bounds.left = ui_.ScreenSize().width - bounds.width;  // the screen may have changed since
  ui_.SetWindowBounds(bar, bounds);
}

void BarPlacement::FollowScreen(WindowHandle bar) {
  Rect bounds = ui_.WindowBounds(bar);
  if (docked_) {
    const Size screen = ui_.ScreenSize();
    bounds.left = screen.width - bounds.width;
    bounds.top = screen.height - bounds.height;
  } else {
    const std::vector<Rect> monitors = ui_.MonitorRects();
    for (const Rect& monitor : monitors) {
      if (IsWholeOn(bounds, monitor)) return;
    }
    bounds = MovedWholeOnto(bounds, NearestMonitor(bounds, monitors));
  }
  ui_.SetWindowBounds(bar, bounds);
}

void BarPlacement::FollowDpi(WindowHandle bar) {
  Rect bounds = ui_.WindowBounds(bar);
  bounds.width = OnScreen(ui_, bar, expanded_ ? kExpandedWidth : kFoldedWidth);
  bounds.height = OnScreen(ui_, bar, MainWindowSpec().size.height);
  ui_.SetWindowBounds(bar, bounds);
  // A bar the user placed stays where the system put it: it may be on its way to another
  // monitor, in the user's hand.
  if (docked_) FollowScreen(bar);
}

}  // namespace zorvane

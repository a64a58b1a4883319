#include "app/folding.h"

namespace zorvane {

void FoldAndDock(WindowSystem& ui, WindowHandle mainWindow) {
  const Size screen = ui.ScreenSize();
  Rect bounds = ui.WindowBounds(mainWindow);
  bounds.width = FoldedWidth;
  ui.SetWindowBounds(mainWindow, bounds);
  bounds = ui.WindowBounds(mainWindow);  // read back: the system may have adjusted it
  bounds.left = screen.width - bounds.width;
  bounds.top = screen.height - bounds.height;
  ui.SetWindowBounds(mainWindow, bounds);
}

void ToggleFold(WindowSystem& ui, WindowHandle mainWindow) {
  Rect bounds = ui.WindowBounds(mainWindow);
  // Any width but the folded one counts as expanded, so the next click always folds.
  bounds.width = bounds.width == FoldedWidth ? ExpandedWidth : FoldedWidth;
  bounds.left = ui.ScreenSize().width - bounds.width;  // the screen may have changed since
  ui.SetWindowBounds(mainWindow, bounds);
}

}  // namespace zorvane

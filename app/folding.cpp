#include "app/folding.h"

#include "platform/dpi_scale.h"

namespace zorvane {
namespace {

// One of the two widths, in the screen's pixels.
int WidthOnScreen(const WindowSystem& ui, int logicalWidth) {
  return ScaleLength(logicalWidth, ui.ScreenDpi());
}

}  // namespace

void FoldAndDock(WindowSystem& ui, WindowHandle mainWindow) {
  const Size screen = ui.ScreenSize();
  Rect bounds = ui.WindowBounds(mainWindow);
  bounds.width = WidthOnScreen(ui, FoldedWidth);
  ui.SetWindowBounds(mainWindow, bounds);
  bounds = ui.WindowBounds(mainWindow);  // read back: the system may have adjusted it
  bounds.left = screen.width - bounds.width;
  bounds.top = screen.height - bounds.height;
  ui.SetWindowBounds(mainWindow, bounds);
}

void ToggleFold(WindowSystem& ui, WindowHandle mainWindow) {
  Rect bounds = ui.WindowBounds(mainWindow);
  const int folded = WidthOnScreen(ui, FoldedWidth);
  // Any width but the folded one counts as expanded, so the next click always folds.
  bounds.width = bounds.width == folded ? WidthOnScreen(ui, ExpandedWidth) : folded;
  bounds.left = ui.ScreenSize().width - bounds.width;  // the screen may have changed since
  ui.SetWindowBounds(mainWindow, bounds);
}

}  // namespace zorvane

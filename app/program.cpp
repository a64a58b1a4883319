#include "app/program.h"

#include "app/main_window_layout.h"

namespace zorvane {

int RunZorvane(WindowSystem& ui) {
  const WindowHandle mainWindow = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  if (!mainWindow) return 1;
  ui.RunMessageLoop();
  return 0;
}

}  // namespace zorvane

// The process entry of the Windows program.
#include <windows.h>

#include "app/run_on_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Ends the process itself, with every object a worker can touch still alive.
  zorvane::RunOnWindows();
}

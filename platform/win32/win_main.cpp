// The process entry of the Windows program.
#include <windows.h>

#include "app/run_on_windows.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int exitCode = zorvane::RunOnWindows();
  // Threads nobody waits for (a warning ticker asleep, a sound being handed over) end with
  // the process, here, before anything they use is taken apart.
  ExitProcess(static_cast<UINT>(exitCode));
}

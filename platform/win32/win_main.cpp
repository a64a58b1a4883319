// The process entry of the Windows program: the real window system, then the program.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zorvane::win32::Win32WindowSystem ui;
  return zorvane::RunZorvane(ui);
}

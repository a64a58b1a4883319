// The process entry of the Windows program: the real platform, then the program.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zorvane::win32::Win32WindowSystem ui;
  zorvane::win32::Win32Threads threads;
  zorvane::win32::Win32FileSystem files;
  zorvane::Program program({ui, threads, files});
  return program.Run();
}

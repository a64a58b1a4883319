// The process entry of the Windows program: the real platform, then the program.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zorvane::win32::Win32WindowSystem ui;
  zorvane::win32::Win32Threads threads;
  zorvane::win32::Win32FileSystem files;
  zorvane::win32::Win32Drawing drawing(ui.Pictures());
  zorvane::win32::Win32Sound sound;
  zorvane::Program program({ui, threads, files, drawing, sound});
  const int exitCode = program.Run();
  // Threads nobody waits for (a warning ticker asleep, a sound being handed over) end with
  // the process, here, before anything they use is taken apart.
  ExitProcess(static_cast<UINT>(exitCode));
}

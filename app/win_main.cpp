// The process entry of the Windows program: it builds the Win32 platform, runs the program
// to its end and ends the process with its exit code.
#include <windows.h>

#include "app/program.h"
#include "platform/ignored_failure.h"
#include "platform/mixing_sound.h"
#include "platform/win32/debug_output.h"
#include "platform/win32/win32_audio_stream.h"
#include "platform/win32/win32_display_power.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_window_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace zorvane;
  SetIgnoredFailureSink(win32::SendToDebugOutput);
  win32::Win32WindowSystem ui;
  win32::Win32Threads threads;
  win32::Win32FileSystem files;
  win32::Win32Drawing drawing(ui.Pictures());
  win32::Win32AudioStream stream;
  MixingSound sound(stream, threads);
  win32::Win32DisplayPower power;
  Program program({ui, threads, files, drawing, sound, power});
  const int exitCode = program.Run();
  // Not a return: the objects above would be taken apart while workers nobody waits for (a
  // warning ticker asleep, a blink, a sound being handed over) may still wake and use them.
  // ExitProcess ends every other thread first, then the process, from inside the frame that
  // owns the program and the platform.
  ExitProcess(static_cast<UINT>(exitCode));
}

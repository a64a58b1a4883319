// A whole program on the in-memory platform: the window system, virtual time and files.
#pragma once

#include <memory>
#include <string>

#include "app/program.h"
#include "platform/memory/memory_display_power.h"
#include "platform/memory/memory_sound.h"
#include "tests/support/driven_window_system.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/timed_drawing.h"
#include "tests/support/virtual_scheduler.h"

namespace zorvane::testing {

inline constexpr char kConfigPath[] = "C:\\Zorvane\\MyConfig.ini";

class ProgramFixture {
 public:
  // Workers still at work (a ticker asleep, a fade) end before the program they use goes,
  // as they end with the process before anything of the program is taken apart.
  ~ProgramFixture() { scheduler.EndAllWorkers(); }

  // Starts the program as the process would, without entering the message loop.
  void Start() {
    program = std::make_unique<Program>(Platform{ui, *threads, files, drawing, sound, power});
    program->CreateMainWindow();
  }
  WindowHandle Main() const { return program->MainWindow(); }
  ControlHandle Control(std::string_view name) const { return ui.FindControl(Main(), name); }
  std::string Text(std::string_view name) const { return ui.ControlText(Control(name)); }
  Rect MainBounds() const { return ui.WindowBounds(Main()); }
  // The display window of the countdown open now, if any.
  WindowHandle Display() const { return program->DisplayWindow(); }
  std::string ConfigFile() const { return files.FileContent(kConfigPath).value_or("<none>"); }

  // Timers always run on virtual time; worker threads too, unless a test points `threads`
  // at threads that really run.
  support::VirtualScheduler scheduler;
  Threads* threads = &scheduler;
  support::DrivenWindowSystem ui{{1920, 1080}, &scheduler};
  support::FaultyFileSystem files;
  support::TimedDrawing drawing{ui};
  memory::MemorySound sound{scheduler};
  memory::MemoryDisplayPower power;
  std::unique_ptr<Program> program;
};

}  // namespace zorvane::testing

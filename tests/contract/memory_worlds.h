// The twin's side of the contract: its backends, set up through the calls tests use.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/memory/memory_drawing.h"
#include "platform/memory/memory_file_system.h"
#include "tests/support/driven_window_system.h"
#include "tests/support/real_threads.h"
#include "tests/support/virtual_scheduler.h"

namespace zorvane::contract {

class MemoryFileWorld {
 public:
  MemoryFileWorld() { files_.AddDirectory(kFolder); }
  FileSystem& Files() { return files_; }
  std::string PathOf(std::string_view name) const { return std::string(kFolder) + "\\" + std::string(name); }
  void PutFile(std::string_view name, std::string_view content) { files_.AddFile(PathOf(name), content); }
  void PutFolder(std::string_view name) { files_.AddDirectory(PathOf(name)); }
  void MakeFileReadOnly(std::string_view name) { files_.SetFileReadOnly(PathOf(name)); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names = files_.NamesIn(kFolder);
    std::ranges::sort(names);
    return names;
  }

 private:
  // A folder of its own beside the executable's.
  static constexpr std::string_view kFolder = "C:\\Test";
  memory::MemoryFileSystem files_;
};

// A modal run here handles the posted tasks one after the other: what the user does
// while it is up is posted before it starts. Its workers run on virtual time, one at a
// time, while the UI thread waits or sleeps.
class MemoryWindowWorld {
 public:
  static constexpr bool kTerminates = true;
  ~MemoryWindowWorld() { scheduler_.EndAllWorkers(); }  // a failed case may leave one stuck
  WindowSystem& Ui() { return ui_; }
  Threads& Workers() { return scheduler_; }
  std::int64_t NowMs() const { return scheduler_.Now(); }
  void Click(ControlHandle control) { ui_.Click(control); }
  void Type(ControlHandle control, std::string_view text) { ui_.Type(control, text); }
  void Paste(ControlHandle control, std::string_view text) { ui_.Paste(control, text); }
  void PressTab() { ui_.PressTab(); }
  void PressEscape(WindowHandle window) { ui_.PressEscape(window); }
  ControlHandle Focused() const { return ui_.FocusedControl(); }
  void RequestClose(WindowHandle window) { ui_.RequestClose(window); }
  // The system tells every window; the twin has no other to tell.
  void ChangeResolution(WindowHandle, Size screen) { ui_.ChangeResolution(screen); }
  void ChangeWorkArea(WindowHandle) { ui_.ChangeWorkArea(); }
  void ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested) {
    ui_.ChangeWindowDpi(window, dpi, suggested);
  }
  void EndSession(WindowHandle) { ui_.EndSession(); }
  void WhileModal(std::function<void()> action) { ui_.Post(std::move(action)); }
  void LetTimePass(int ms) { scheduler_.AdvanceBy(ms); }
  void Settle() { ui_.PumpPendingMessages(); }
  bool IsMessageBoxOpen() const { return ui_.IsMessageBoxOpen(); }
  void DismissMessageBox() { ui_.DismissMessageBox(); }
  Drawing& Graphics() { return drawing_; }
  std::size_t KeptPictureCount() const { return ui_.Pictures().Count(); }

 private:
  support::VirtualScheduler scheduler_;
  support::DrivenWindowSystem ui_{{1920, 1080}, &scheduler_};
  memory::MemoryDrawing drawing_{ui_};
};

// Workers that race the UI thread, as under ThreadSanitizer.
class RealThreadWorld {
 public:
  static constexpr bool kTerminates = false;  // a running thread is waited for here
  RealThreadWorld() { threads_.SetInputCheck([this] { return ui_.HasPendingInput(); }); }
  Threads& Workers() { return threads_; }
  WindowSystem& Ui() { return ui_; }

 private:
  support::VirtualScheduler timers_;
  support::DrivenWindowSystem ui_{{1920, 1080}, &timers_};
  support::RealThreads threads_;  // last: it waits for its workers before the rest goes
};

}  // namespace zorvane::contract

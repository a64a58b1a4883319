// The twin's side of the contract: its backends, set up through the calls tests use.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory/memory_file_system.h"
#include "tests/support/driven_window_system.h"

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

class MemoryWindowWorld {
 public:
  WindowSystem& Ui() { return ui_; }
  void Click(ControlHandle control) { ui_.Click(control); }
  void Type(ControlHandle control, std::string_view text) { ui_.Type(control, text); }
  void Paste(ControlHandle control, std::string_view text) { ui_.Paste(control, text); }
  void PressTab() { ui_.PressTab(); }
  ControlHandle Focused() const { return ui_.FocusedControl(); }
  void RequestClose(WindowHandle window) { ui_.RequestClose(window); }
  // The system tells every window; the twin has no other to tell.
  void ChangeResolution(WindowHandle, Size screen) { ui_.ChangeResolution(screen); }
  void ChangeWorkArea(WindowHandle) { ui_.ChangeWorkArea(); }
  void ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested) {
    ui_.ChangeWindowDpi(window, dpi, suggested);
  }
  void EndSession(WindowHandle) { ui_.EndSession(); }

 private:
  support::DrivenWindowSystem ui_{{1920, 1080}};
};

}  // namespace zorvane::contract

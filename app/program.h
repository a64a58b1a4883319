// The program from start to end: it creates the main window, whose creation folds and docks
// it and loads the settings, runs the message loop until the main window is gone, and
// cleans up on the way out. Every event of the main window ends in one handler here.
#pragma once

#include <vector>

#include "app/fold_and_dock.h"
#include "core/program_state.h"
#include "countdown/countdown.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

namespace zorvane {

class Program {
 public:
  explicit Program(Platform platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window and runs until it has been destroyed. Returns the exit code.
  int Run();
  // Start-up without the message loop (what Run does first).
  WindowHandle CreateMainWindow();

  // Handlers, each bound to one event of the main window.
  void PrepareMainWindow();   // created
  void ShutdownCleanup();     // about to be destroyed
  void ToggleFold();          // 设置 clicked
  void SaveSettings();        // SAVE clicked
  void CloseMainWindow();     // 退出 clicked
  void ToggleStartStop();     // 开始 clicked, and the display window's close request
  void TogglePause();         // 暂停 clicked
  void ClampMinutesEntry();   // 分钟 changed
  void ClampSecondsEntry();   // 秒钟 changed
  void OpenHelpWindow();      // 使用说明按钮 clicked
  void OpenUpdateNotesWindow();  // 更新说明按钮 clicked

  ProgramState& State() { return state_; }
  WindowHandle MainWindow() const { return mainWindow_; }
  WindowHandle DisplayWindow() const { return state_.DisplayWindow.load(); }
  const StageOptions& Options() const { return options_; }

 private:
  std::vector<EventBinding> MainWindowBindings();

  Platform platform_;
  ProgramState state_;
  Countdown countdown_;
  BarPlacement placement_;
  WindowHandle mainWindow_;
  SettingsControls settings_;  // found when the main window is created
  StageOptions options_;       // the presenter's options, read with the settings
  // Set once the settings have been loaded: a run whose start stopped before that leaves
  // the file as it was.
  bool settingsLoaded_ = false;
};

}  // namespace zorvane

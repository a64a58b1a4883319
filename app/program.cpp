#include "app/program.h"

#include "app/global_hotkeys.h"
#include "app/main_window_controls.h"
#include "app/main_window_layout.h"
#include "auxwindows/aux_window_handlers.h"
#include "core/thread_routines.h"
#include "settings/settings_file.h"

namespace zorvane {

namespace {
// The latest redraw thread gets this long to finish at shut-down before it is terminated.
constexpr int kRedrawGraceMs = 1000;
// What the hotkeys add to the time left, or take from it.
constexpr std::int32_t kMinute = 60;
}

Program::Program(Platform platform)
    : platform_(platform),
      state_(platform.threads),
      countdown_(platform.ui, platform.threads, platform.drawing, platform.sound, platform.power,
                 state_),
      placement_(platform.ui) {}

std::vector<EventBinding> Program::MainWindowBindings() {
  using enum UiEvent;
  using namespace main_window;
  return {
      {"", Created, [this] { PrepareMainWindow(); }},
      {"", AboutToBeDestroyed, [this] { ShutdownCleanup(); }},
      {kStart, Clicked, [this] { ToggleStartStop(); }},
      {kPause, Clicked, [this] { TogglePause(); }},
      {kFold, Clicked, [this] { ToggleFold(); }},
      {kExit, Clicked, [this] { CloseMainWindow(); }},
      {kMinutes, TextChanged, [this] { ClampMinutesEntry(); }},
      {kSeconds, TextChanged, [this] { ClampSecondsEntry(); }},
      {kHelpButton, Clicked, [this] { OpenHelpWindow(); }},
      {kNotesButton, Clicked, [this] { OpenUpdateNotesWindow(); }},
      {kSave, Clicked, [this] { SaveSettings(); }},
      {"", ScreenChanged, [this] { placement_.FollowScreen(mainWindow_); }},
      {"", DpiChanged, [this] { placement_.FollowDpi(mainWindow_); }},
      {"", MovedByUser, [this] { placement_.NoteDragged(); }},
      // The system may end the process as soon as this returns: the settings are saved as
      // at any exit, before it does.
      {"", SessionEnding, [this] { CloseMainWindow(); }},
  };
}

WindowHandle Program::CreateMainWindow() {
  return platform_.ui.CreateWindowFromLayout(MainWindowSpec(), MainWindowBindings(), &mainWindow_);
}

int Program::Run() {
  platform_.threads.KeepCurrentThreadOnTime();  // the UI thread runs the countdown's timer
  if (!CreateMainWindow()) return 1;
  platform_.ui.RunMessageLoop();
  return 0;
}

void Program::PrepareMainWindow() {
  WindowSystem& ui = platform_.ui;
  const CountdownControls countdown = FindCountdownControls(ui, mainWindow_);
  countdown_.Attach(mainWindow_, countdown);
  settings_ = FindSettingsControls(ui, mainWindow_);
  ui.SetFocus(countdown.minutes);
  placement_.FoldAndDock(mainWindow_);
  options_ = LoadSettings(ui, settings_, platform_.files);
  countdown_.UseOptions(options_);
  settingsLoaded_ = true;
  RegisterGlobalHotkeys(ui, mainWindow_, options_,
                        {[this] { ToggleStartStop(); }, [this] { TogglePause(); },
                         [this] { countdown_.ChangeRemaining(kMinute); },
                         [this] { countdown_.ChangeRemaining(-kMinute); }});
}

void Program::ShutdownCleanup() {
  WindowSystem& ui = platform_.ui;
  Threads& threads = platform_.threads;
  UnregisterGlobalHotkeys(ui, mainWindow_);
  // The countdown ends first, its timer with it, so no ticker clicks and no worker acts on
  // the display while the settings are saved.
  const WindowHandle display = countdown_.EndForShutdown();
  if (ui.WindowExists(display)) ui.DestroyWindow(display);
  SaveSettings();
  // Terminating a thread can leave a lock of the heap or of the drawing system held, which
  // would hang the exit; the latest redraw normally ends within milliseconds, so it gets
  // the chance to, and is terminated only if it does not.
  if (QueryThreadState(threads, state_.RedrawThread) == ThreadState::Running) {
    WaitThreadPumping(threads, ui, state_.RedrawThread, kRedrawGraceMs, true);
    if (QueryThreadState(threads, state_.RedrawThread) == ThreadState::Running) {
      threads.TerminateThread(state_.RedrawThread.get());
    }
  }
  state_.RedrawThread.reset();
}

void Program::ToggleFold() { placement_.ToggleFold(mainWindow_); }

void Program::SaveSettings() {
  if (settingsLoaded_) zorvane::SaveSettings(platform_.ui, settings_, platform_.files);
}

void Program::CloseMainWindow() { platform_.ui.DestroyWindow(mainWindow_); }

// A modal window opened inside Stop's wait would hold the rest of Stop, and the stopped
// display with it, until it closes: it opens once Stop has finished.
void Program::OpenHelpWindow() {
  countdown_.HandleAfterStop([this] { zorvane::OpenHelpWindow(platform_.ui); });
}

void Program::OpenUpdateNotesWindow() {
  countdown_.HandleAfterStop([this] { zorvane::OpenUpdateNotesWindow(platform_.ui); });
}

void Program::ToggleStartStop() { countdown_.ToggleStartStop(); }
void Program::TogglePause() { countdown_.TogglePause(); }
void Program::ClampMinutesEntry() { countdown_.ClampMinutesEntry(); }
void Program::ClampSecondsEntry() { countdown_.ClampSecondsEntry(); }

}  // namespace zorvane

#include "countdown/countdown.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

#include "core/text_to_integer.h"
#include "core/thread_routines.h"
#include "countdown/warning_ticker.h"
#include "countdown/time_entry.h"
#include "display/display_window_layout.h"
#include "display/display_fade.h"
#include "platform/dpi_scale.h"
#include "resources/sounds.h"

namespace zorvane {
namespace {

constexpr int kTickMs = 1000;
constexpr int kStopWaitMs = 1000;
constexpr std::int32_t kWarningSeconds = 30;
constexpr std::int32_t kBlinkSeconds = 10;
// The most the display's four digits show, 99:59: time left is never moved above it, and
// time over stops counting there.
constexpr std::int32_t kMostSeconds = 99 * 60 + 59;
// How often an open display kept above everything looks whether something came over it.
constexpr int kKeepAboveTimer = 2;
constexpr int kKeepAboveMs = 250;

// The captions that record the countdown's state.
constexpr std::string_view kIdle = "B";
constexpr std::string_view kOpen = "S";
constexpr std::string_view kRunning = "P";
constexpr std::string_view kPaused = "C";

// A whole minute of remaining time, tested on the floating-point remainder.
bool IsWholeMinute(std::int32_t remaining) {
  return std::abs(std::fmod(static_cast<double>(remaining), 60.0)) <= 1e-7;
}

}  // namespace

Countdown::Countdown(WindowSystem& ui, Threads& threads, Drawing& drawing, Sound& sound,
                     DisplayPower& power, ProgramState& state)
    : ui_(ui),
      threads_(threads),
      drawing_(drawing),
      sound_(sound),
      power_(power),
      state_(state),
      display_{ui, drawing, state, {}} {}

void Countdown::Attach(WindowHandle mainWindow, const CountdownControls& controls) {
  mainWindow_ = mainWindow;
  controls_ = controls;
  display_.controls = controls.display;
  display_.bar = mainWindow;
}

void Countdown::UseOptions(const StageOptions& options) {
  options_ = options;
  display_.monitor = options.monitor;
  display_.overtime = options.overtime;
}

void Countdown::ToggleStartStop() {
  // A start inside Stop's wait would be torn down by the rest of Stop: the click (the
  // second of a double click, say) is handled once Stop has finished.
  HandleAfterStop([this] {
    threads_.TrimWorkingSet();
    if (ui_.ControlText(controls_.start) == kIdle) {
      Start();
    } else {
      Stop();
    }
  });
}

void Countdown::HandleAfterStop(std::function<void()> handler) {
  if (stopping_) {
    afterStop_.push_back(std::move(handler));
  } else {
    handler();
  }
}

// Closing the display while Stop is under way asks for what is being done already.
void Countdown::CloseDisplay() {
  if (!stopping_) ToggleStartStop();
}

void Countdown::Start() {
  // The first sound comes a second after the start at the soonest; the output is ready
  // by then.
  sound_.Prepare();
  // The settings stay logical lengths; the display is drawn in the pixels of its own DPI.
  const auto setting = [&](ControlHandle control) {
    return TextToInteger(ui_.ControlText(control));
  };
  logical_ = {setting(controls_.digitWidth), setting(controls_.digitHeight),
              setting(controls_.segmentThickness), setting(controls_.segmentGap)};
  state_.RemainingSeconds = EnteredTotal(ui_, controls_.minutes, controls_.seconds);
  ui_.SetControlText(controls_.display.remaining, IntegerToText(state_.RemainingSeconds));
  state_.WarningArmed = 1;
  state_.DisplayLayoutPending = 1;
  state_.CountdownRunning = 1;
  ++state_.CountdownRun;
  reachedZero_ = false;

  const WindowHandle display = ui_.CreateWindowFromLayout(
      DisplayWindowSpec(options_.onTop), {{"", UiEvent::CloseRequested, [this] { CloseDisplay(); }},
                            {"", UiEvent::ScreenChanged, [this] { FollowScreen(); }},
                            {"", UiEvent::DpiChanged, [this] { FollowScreen(); }}});
  if (!display) {
    // Without a window there is nothing to count down on: back to idle.
    EndRun();
    state_.WarningArmed = 0;
    state_.DisplayLayoutPending = 0;
    return;
  }
  // On a monitor of its own the display is drawn at that monitor's DPI: it goes there first.
  if (display_.monitor != MonitorChoice{}) CentreDisplayWindow(display_, display);
  ScaleGeometry(ui_.WindowDpi(display));
  ReplaceDisplayWindow(display);
  // A redraw left running by the last Stop is let go now rather than forgotten.
  state_.RedrawThread.reset();
  state_.TimerId = 1;
  RedrawDisplay(display_, display, state_.RemainingSeconds);  // sizes, centres and shows it
  SetTimer();
  ui_.SetControlText(controls_.start, kOpen);
  // Watched, not touched: the screen must not go dark while the time is on it.
  power_.KeepAwake(true);
  OpenSoundAheadOfTicker();
  if (options_.onTop) KeepAboveOtherPrograms(display);
}

void Countdown::KeepAboveOtherPrograms(WindowHandle display) {
  // The timer goes with the display; the bar first, so the display ends above it.
  ui_.SetTimer(display, kKeepAboveTimer, kKeepAboveMs, [this, display] {
    ui_.KeepAboveOtherPrograms(mainWindow_);
    ui_.KeepAboveOtherPrograms(display);
  });
}

void Countdown::ScaleGeometry(int dpi) {
  const auto onScreen = [dpi](std::int32_t logical) { return ScaleLength(logical, dpi); };
  state_.DisplayMarginX = onScreen(kDisplayMargin);
  state_.DisplayMarginY = onScreen(kDisplayMargin);
  state_.DigitSpace = onScreen(kDigitSpace);
  state_.DigitWidth = onScreen(logical_.digitWidth);
  state_.DigitHeight = onScreen(logical_.digitHeight);
  state_.SegmentThickness = onScreen(logical_.segmentThickness);
  state_.SegmentGap = onScreen(logical_.segmentGap);
  geometryDpi_ = dpi;
}

void Countdown::FollowScreen() {
  const WindowHandle display = state_.DisplayWindow.load();
  if (stopping_ || !ui_.WindowExists(display)) return;
  if (const int dpi = ui_.WindowDpi(display); dpi != geometryDpi_) {
    // Sized, centred and drawn again at once at the new scale, with the time it shows (the
    // seconds in 总时间 are those of the latest picture); the ticks go on at that scale.
    ScaleGeometry(dpi);
    state_.DisplayLayoutPending = 1;
    RedrawDisplay(display_, display, TextToInteger(ui_.ControlText(controls_.display.remaining)));
  } else {
    CentreDisplayWindow(display_, display);
  }
}

void Countdown::Stop() {
  stopping_ = true;
  ui_.SetControlText(controls_.start, kIdle);
  ui_.SetControlText(controls_.pause, kRunning);
  ui_.KillTimer(mainWindow_, state_.TimerId);
  EndRun();
  if (QueryThreadState(threads_, state_.RedrawThread) == ThreadState::Running) {
    WaitThreadPumping(threads_, ui_, state_.RedrawThread, kStopWaitMs, true);
  }
  if (QueryThreadState(threads_, state_.RedrawThread) == ThreadState::Ended) {
    state_.RedrawThread.reset();
  }
  // The display lock lives as long as the program; nothing to delete.
  ui_.DestroyWindow(ReplaceDisplayWindow({}));
  power_.KeepAwake(false);
  stopping_ = false;
  // What was clicked meanwhile, in order. A click that stops again (a triple click) waits
  // in its turn, and the clicks after it are handled when that Stop has finished.
  while (!stopping_ && !afterStop_.empty()) {
    const std::function<void()> handler = std::move(afterStop_.front());
    afterStop_.pop_front();
    handler();
  }
}

WindowHandle Countdown::EndForShutdown() {
  ui_.KillTimer(mainWindow_, state_.TimerId);
  EndRun();
  power_.KeepAwake(false);
  afterStop_.clear();  // the program ends: nothing more starts or opens
  return ReplaceDisplayWindow({});
}

void Countdown::EndRun() {
  state_.CountdownRunning = 0;
  ++state_.CountdownRun;
}

// Under the display lock: a blink step checks there that its window is still the display.
WindowHandle Countdown::ReplaceDisplayWindow(WindowHandle window) {
  std::lock_guard lock(*state_.DisplayLock);
  return state_.DisplayWindow.exchange(window);
}

void Countdown::SetTimer() {
  ui_.SetTimer(mainWindow_, state_.TimerId, kTickMs, [this] { CountdownTick(); });
}

void Countdown::RedrawThreadProc(WindowHandle window, std::int32_t remaining) {
  threads_.KeepCurrentThreadOnTime();
  RedrawDisplay(display_, window, remaining);
}

void Countdown::StartRedraw(WindowHandle display, std::int32_t remaining) {
  state_.RedrawThread =
      threads_.StartThread([this, display, remaining] { RedrawThreadProc(display, remaining); });
}

void Countdown::CountdownTick() {
  state_.RedrawThread.reset();  // a redraw still drawing goes on
  const std::int32_t remaining = state_.RemainingSeconds;
  // Workers are given the display they work for: a Stop and a Start may come before they
  // are done, and the next countdown's window is not theirs.
  const WindowHandle display = state_.DisplayWindow.load();
  if (remaining < 0) {
    if (options_.overtime) CountOvertime(display, remaining);
    return;
  }

  StartRedraw(display, remaining);
  if (IsWholeMinute(remaining)) threads_.TrimWorkingSet();
  if (remaining <= kWarningSeconds && state_.WarningArmed != 0) {
    const std::int32_t run = state_.CountdownRun;
    threads_.StartDetachedThread(
        [this, remaining, run] { WarningTicker(threads_, sound_, state_, remaining, run); });
    state_.WarningArmed = 0;
  }
  if (remaining > 0 && remaining <= kBlinkSeconds) {
    threads_.StartDetachedThread(
        [this, display] { FadeOutThread(ui_, drawing_, threads_, state_, display); });
  }
  if (remaining <= 0) {
    EndRun();
    reachedZero_ = true;
    PlayInBackground(threads_, sound_, sounds::AlarmClip);
    if (options_.overtime) {
      state_.RemainingSeconds = -1;  // the same timer goes on, counting the time over
    } else {
      ui_.KillTimer(mainWindow_, state_.TimerId);
    }
  } else {
    state_.RemainingSeconds = remaining - 1;
    OpenSoundAheadOfTicker();
  }
}

void Countdown::OpenSoundAheadOfTicker() {
  if (state_.WarningArmed != 0 && state_.RemainingSeconds <= kWarningSeconds && !InOvertime()) {
    sound_.OpenAhead();
  }
}

// Each tick after zero draws the time over it finds and counts one second more, up to the
// most the display shows, where it stays. Nothing sounds and nothing blinks: the alarm has
// played at zero.
void Countdown::CountOvertime(WindowHandle display, std::int32_t remaining) {
  // The first picture of the time over has its minus in a digit cell of its own: the
  // display is sized for it and centred again.
  if (remaining == -1) state_.DisplayLayoutPending = 1;
  StartRedraw(display, remaining);
  if (remaining > -kMostSeconds) state_.RemainingSeconds = remaining - 1;
}

void Countdown::ChangeRemaining(std::int32_t seconds) {
  HandleAfterStop([this, seconds] { MoveRemaining(seconds); });
}

void Countdown::MoveRemaining(std::int32_t seconds) {
  const WindowHandle display = state_.DisplayWindow.load();
  if (!ui_.WindowExists(display) || reachedZero_ || state_.RemainingSeconds < 0) return;
  const auto onDisplay = [](std::int32_t value) { return std::clamp(value, 0, kMostSeconds); };
  state_.RemainingSeconds = onDisplay(state_.RemainingSeconds + seconds);
  if (ui_.ControlText(controls_.pause) == kPaused) {
    // No tick comes to show it: the picture moves at once, by as much as the count, so the
    // first tick after Resume goes on from it as from any other.
    const std::int32_t shown = TextToInteger(ui_.ControlText(controls_.display.remaining));
    RedrawDisplay(display_, display, onDisplay(shown + seconds));
    return;
  }
  // Running, the next tick draws the new time, in its colour, blinking in the last ten.
  // The ticker follows it as if counting had got there: one clicking now ends, and the
  // next tick that finds 30 s or less starts one at that time's pace.
  ++state_.CountdownRun;
  state_.WarningArmed = 1;
  OpenSoundAheadOfTicker();
}

void Countdown::TogglePause() { HandleAfterStop([this] { PauseOrResume(); }); }

void Countdown::PauseOrResume() {
  if (!ui_.WindowExists(state_.DisplayWindow.load())) return;
  if (ui_.ControlText(controls_.pause) == kRunning) {
    ui_.KillTimer(mainWindow_, state_.TimerId);
    ui_.SetControlText(controls_.pause, kPaused);
    EndRun();
  } else {
    SetTimer();
    ui_.SetControlText(controls_.pause, kRunning);
    state_.CountdownRunning = 1;
    ++state_.CountdownRun;
    state_.WarningArmed = 1;
    state_.DisplayLayoutPending = 1;
    OpenSoundAheadOfTicker();
  }
}

void Countdown::ClampMinutesEntry() { ClampEntry(ui_, controls_.minutes); }

void Countdown::ClampSecondsEntry() { ClampEntry(ui_, controls_.seconds); }

}  // namespace zorvane

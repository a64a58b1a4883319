// The countdown engine. 开始 starts a countdown: the display window appears with the total,
// and a timer of the main window ticks once a second; each tick redraws the display on a
// worker thread and counts down, starts the warning ticker at 30 seconds, the blink of the
// last ten, and the alarm at zero, where the display stays on 00:00. 开始 again, or closing
// the display, stops it. 暂停 pauses and resumes an open countdown.
//
// The state of an open countdown lives in the captions of 开始 ("B" idle, "S" open) and 暂停
// ("P" running, "C" paused), in the program state and in the display window's existence.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "core/program_state.h"
#include "core/stage_options.h"
#include "display/time_display.h"
#include "platform/display_power.h"
#include "platform/drawing.h"
#include "platform/sound.h"
#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

// The main window's controls that the countdown reads and writes, found by the shell.
struct CountdownControls {
  ControlHandle start;    // 开始: "B" idle, "S" open
  ControlHandle pause;    // 暂停: "P" running, "C" paused
  ControlHandle minutes;  // the time entry
  ControlHandle seconds;
  // The display's geometry, read at every Start.
  ControlHandle digitWidth;
  ControlHandle digitHeight;
  ControlHandle segmentThickness;
  ControlHandle segmentGap;
  DisplayControls display;  // the colours and 总时间
};

class Countdown {
 public:
  Countdown(WindowSystem& ui, Threads& threads, Drawing& drawing, Sound& sound,
            DisplayPower& power, ProgramState& state);
  Countdown(const Countdown&) = delete;
  Countdown& operator=(const Countdown&) = delete;

  // Takes the main window and its controls, once they exist.
  void Attach(WindowHandle mainWindow, const CountdownControls& controls);
  // The presenter's options, once the settings file has been read; all off until then.
  void UseOptions(const StageOptions& options);

  void ToggleStartStop();
  void TogglePause();
  // Runs a click's handler now; while Stop waits for the last redraw, once Stop has
  // finished instead: such a click waited in the queue behind the one that stops, and is
  // handled in its turn, in the order the clicks came.
  void HandleAfterStop(std::function<void()> handler);
  // Gives an open countdown `seconds` more (fewer when negative) to go, never less than
  // none and never more than the display's 99:59; the colour, the ticker and the blink
  // follow the new time as if counting had reached it. Time left only: once zero has been
  // reached it does nothing. Handled after Stop like a click.
  void ChangeRemaining(std::int32_t seconds);
  void ClampMinutesEntry();
  void ClampSecondsEntry();
  // The work of one timer tick.
  void CountdownTick();
  // The program is ending: the timer goes and the run ends, so no worker acts on the
  // countdown any more; returns the display window for the caller to destroy.
  WindowHandle EndForShutdown();
  // The display's screen changed, or the display was laid out at another DPI: it is
  // centred again at once, and at a new DPI first drawn again at the new scale.
  void FollowScreen();

 private:
  // The display's geometry as the settings give it, in logical lengths.
  struct LogicalGeometry {
    std::int32_t digitWidth = 0;
    std::int32_t digitHeight = 0;
    std::int32_t segmentThickness = 0;
    std::int32_t segmentGap = 0;
  };

  void Start();
  // The program state's geometry from the logical one, at the display window's DPI.
  void ScaleGeometry(int dpi);
  void Stop();
  // The display window's close request.
  void CloseDisplay();
  void PauseOrResume();
  void MoveRemaining(std::int32_t seconds);
  // With overtime on, each tick after zero draws the time over and counts it up.
  void CountOvertime(WindowHandle display, std::int32_t remaining);
  void StartRedraw(WindowHandle display, std::int32_t remaining);
  bool InOvertime() const { return options_.overtime && state_.RemainingSeconds < 0; }
  void SetTimer();
  // When the next tick starts the warning ticker, opens the sound output now, so that the
  // ticker's first click finds it running.
  void OpenSoundAheadOfTicker();
  // Clears CountdownRunning and ends the run, so its warning ticker stops.
  void EndRun();
  // Makes `window` the display window and returns the one before.
  WindowHandle ReplaceDisplayWindow(WindowHandle window);
  void RedrawThreadProc(WindowHandle window, std::int32_t remaining);
  // With OnTop=1: the display, and the bar with it, go back above another program's
  // topmost window soon after it comes above them, as long as the display is open.
  void KeepAboveOtherPrograms(WindowHandle display);

  WindowSystem& ui_;
  Threads& threads_;
  Drawing& drawing_;
  Sound& sound_;
  DisplayPower& power_;
  ProgramState& state_;
  WindowHandle mainWindow_;
  CountdownControls controls_;
  DisplayContext display_;
  LogicalGeometry logical_;  // read at Start
  StageOptions options_;
  int geometryDpi_ = 0;      // the DPI the program state's geometry is scaled to
  bool stopping_ = false;  // Stop is waiting for the last redraw
  bool reachedZero_ = false;  // the open countdown has drawn 00:00 and sounded the alarm
  std::deque<std::function<void()>> afterStop_;  // clicks that came meanwhile
};

}  // namespace zorvane

// The program-wide state, all zero or empty when the process starts. The UI thread writes it.
// What worker threads read is a word of its own (std::atomic): the display's geometry, the
// countdown's flags and run, and the display window. The lock is shared by both sides; the
// latest redraw's handle and the timer's id belong to the UI thread alone.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

struct ProgramState {
  explicit ProgramState(Threads& threads) : DisplayLock(threads.CreateLock()) {}

  // The display's margins, digit geometry and the space between neighbouring digits, in
  // the screen's pixels: set at every Start from the settings' logical lengths, scaled to
  // the screen's DPI.
  std::atomic<std::int32_t> DisplayMarginX{0};
  std::atomic<std::int32_t> DisplayMarginY{0};
  std::atomic<std::int32_t> DigitWidth{0};
  std::atomic<std::int32_t> DigitHeight{0};
  std::atomic<std::int32_t> SegmentThickness{0};
  std::atomic<std::int32_t> SegmentGap{0};
  std::atomic<std::int32_t> DigitSpace{0};

  std::atomic<std::int32_t> RemainingSeconds{0};
  // The last-30-seconds ticker may still be started in this run.
  std::atomic<std::int32_t> WarningArmed{0};
  // The next redraw must size, centre and show the display window.
  std::atomic<std::int32_t> DisplayLayoutPending{0};
  std::atomic<std::int32_t> CountdownRunning{0};
  // Counts the runs of the countdown: every Start and Resume begins a new one. A warning
  // ticker belongs to one run and ends when it sees another, so a quick pause and resume
  // never leaves two tickers clicking.
  std::atomic<std::int32_t> CountdownRun{0};

  // Serialises every change of the display window's layered attributes with the change of
  // DisplayWindow itself, so that a blink step that finds its window still on the screen
  // sets its opacity before Stop or Start can replace it. Nobody holds it while waiting for
  // anything. It lives as long as the program, so a fade or a late redraw can never use a
  // lock that is gone.
  const std::unique_ptr<Lock> DisplayLock;

  // The window the time is drawn in, while a countdown is open; read by worker threads.
  // Only the UI thread changes it, and only under DisplayLock.
  std::atomic<WindowHandle> DisplayWindow{};
  // Whether `window` is the display of the countdown that is open now. A worker keeps the
  // window it was started for, and once that countdown has stopped it changes nothing.
  bool Shows(WindowHandle window) const { return window && DisplayWindow.load() == window; }

  // The redraw thread started by the latest tick, until its handle is closed.
  OwnedThread RedrawThread;
  std::int32_t TimerId = 0;
};

}  // namespace zorvane

// What the countdown sounds like: a warning ticker that clicks from 30 seconds on and
// speeds up at about 10 and 5 seconds, and an alarm at zero. Every sound plays on a
// short-lived thread of its own.
#pragma once

#include <cstdint>
#include <span>

#include "core/program_state.h"
#include "platform/sound.h"
#include "platform/threads.h"

namespace zorvane {

// The ticker's click counter when it starts with `remaining` seconds: the number of
// seconds past the 30-second mark, so a late start continues the rhythm a ticker started
// at 30 s would have by then.
int InitialClickCount(std::int32_t remaining);

// The pause after a click, once the counter has counted that click.
int ClickPauseMs(int clicks);

// Plays the clip once on a thread of its own whose handle is closed at once.
void PlayInBackground(Threads& threads, Sound& sound, std::span<const std::uint8_t> clip);

// Clicks until the countdown stops running: at zero, Stop or Pause. `run` is the countdown
// run it belongs to (ProgramState::CountdownRun at its start); a ticker of an earlier run
// ends even when the next run has set CountdownRunning again before it looked.
void WarningTicker(Threads& threads, Sound& sound, const ProgramState& state,
                   std::int32_t remaining, std::int32_t run);

}  // namespace zorvane

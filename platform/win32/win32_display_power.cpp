#include "platform/win32/win32_display_power.h"

namespace zorvane::win32 {

void Win32DisplayPower::KeepAwake(bool awake) {
  if (awake == kept_) return;
  kept_ = awake;
  if (awake) {
    before_ = SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
    return;
  }
  // Only a state with ES_CONTINUOUS replaces a lasting one: without the flag the call
  // would be a one-off reset, and the display would stay awake. What the thread had asked
  // for before lasted, so with the flag it is given back as it was.
  SetThreadExecutionState(before_ | ES_CONTINUOUS);
}

}  // namespace zorvane::win32

// The display kept awake through the thread's execution state, while a countdown is open.
#pragma once

#include <windows.h>

#include "platform/display_power.h"

namespace zorvane::win32 {

class Win32DisplayPower final : public DisplayPower {
 public:
  void KeepAwake(bool awake) override;

 private:
  bool kept_ = false;
  EXECUTION_STATE before_ = ES_CONTINUOUS;  // what the thread asked for before
};

}  // namespace zorvane::win32

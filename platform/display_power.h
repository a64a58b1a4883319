// Whether the system may darken the screen and let the machine sleep when nobody touches
// it. A countdown on the screen is watched, not touched: while one is open the display is
// kept awake. Nothing else of the system's power settings is changed.
#pragma once

namespace zorvane {

class DisplayPower {
 public:
  virtual ~DisplayPower() = default;

  // Kept awake, neither the display nor the system goes to sleep for want of input; let go,
  // the state from before is back. The request belongs to the calling thread (it ends with
  // it), so only the UI thread makes it.
  virtual void KeepAwake(bool awake) = 0;
};

// For a platform that leaves the power settings alone.
inline DisplayPower& UntouchedDisplayPower() {
  class Untouched final : public DisplayPower {
    void KeepAwake(bool) override {}
  };
  static Untouched untouched;
  return untouched;
}

}  // namespace zorvane

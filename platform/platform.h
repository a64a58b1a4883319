// Everything the program asks of the system, in one place: handed to the program by the
// process entry (the real backend) or by a test (the in-memory backend).
#pragma once

#include "platform/display_power.h"
#include "platform/drawing.h"
#include "platform/file_system.h"
#include "platform/sound.h"
#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

struct Platform {
  WindowSystem& ui;
  Threads& threads;
  FileSystem& files;
  Drawing& drawing;
  Sound& sound;
  DisplayPower& power = UntouchedDisplayPower();
};

}  // namespace zorvane

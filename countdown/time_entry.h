// The minutes and seconds boxes: a value of 60 or more becomes "59" as it is typed; the
// total of a countdown is read from both when it starts.
#pragma once

#include <cstdint>

#include "platform/window_system.h"

namespace zorvane {

// Replaces a value of 60 or more by "59". An empty box, a lone minus and negative numbers
// stay as they are.
void ClampEntry(WindowSystem& ui, ControlHandle box);

// Minutes times 60 plus seconds, formed in double precision and converted to 32 bits
// (saturating: pasted text can hold any number).
std::int32_t EnteredTotal(const WindowSystem& ui, ControlHandle minutes, ControlHandle seconds);

}  // namespace zorvane

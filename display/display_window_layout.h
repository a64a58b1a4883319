// The display window: borderless, hidden when created, sized and centred by its first
// redraw; it holds no controls, only the picture of the time. Kept above everything, it
// sits in the topmost band and never takes the keyboard when it appears.
#pragma once

#include "display/display_window_names.h"
#include "platform/layout.h"

namespace zorvane {

const WindowSpec& DisplayWindowSpec(bool aboveEverything = false);

}  // namespace zorvane

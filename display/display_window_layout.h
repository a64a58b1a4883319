// The display window: borderless, hidden when created, sized and centred by its first
// redraw; it holds no controls, only the picture of the time.
#pragma once

#include "platform/layout.h"

namespace zorvane {

const WindowSpec& DisplayWindowSpec();

}  // namespace zorvane

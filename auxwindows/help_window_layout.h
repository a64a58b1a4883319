// The help window, "软件提示": a fixed page that explains the six controls of the folded main
// window. Its upper half shows a picture of that window with red numbers ① to ⑥ on the
// controls they stand for, its lower half says what each number is. It binds no event.
#pragma once

#include "auxwindows/help_window_names.h"
#include "platform/layout.h"

namespace zorvane {

const WindowSpec& HelpWindowSpec();

}  // namespace zorvane

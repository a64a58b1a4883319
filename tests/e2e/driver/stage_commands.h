// The driver's commands about the stage the program shares with other programs.
//
//   cover                  a slide show going full screen: a topmost window over the whole
//                          primary monitor, in the driver, activated; again while it is
//                          open, it raises and activates itself once more. Answers its
//                          handle and when it was raised (microseconds, as resolution)
//   uncover                closes that window
//   zorder                 every visible top-level window, top first (EnumWindows order),
//                          with its layout name, process, topmost flag and the one above it
//                          (GW_HWNDPREV); and the foreground window
//   monitors               every monitor as EnumDisplayMonitors lists it, primary flagged
#pragma once

#include <optional>
#include <string_view>

#include "tests/e2e/driver/commands.h"

namespace zdriver {

// Nothing when `verb` is none of the commands above.
std::optional<Answer> RunStageCommand(std::string_view verb);

}  // namespace zdriver

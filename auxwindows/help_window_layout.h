// The help window, "软件提示": a fixed page that explains the six controls of the folded main
// window. Its upper half shows a picture of that window with red numbers ① to ⑥ on the
// controls they stand for, its lower half says what each number is. It binds no event.
#pragma once

#include <string_view>

#include "platform/layout.h"

namespace zorvane {

const WindowSpec& HelpWindowSpec();

namespace help_window {
inline constexpr std::string_view kLayoutName = "HelpWindow";
inline constexpr std::string_view kMainWindowPicture = "图片框1";
inline constexpr std::string_view kTimeEntryPicture = "图片框2";
}  // namespace help_window

}  // namespace zorvane

#include "display/display_window_layout.h"

namespace zorvane {

const WindowSpec& DisplayWindowSpec(bool aboveEverything) {
  static const WindowSpec layout{
      .name = display_window::kLayoutName,
      .title = "",
      .frame = FrameStyle::Borderless,
      .size = {439, 305},
      .background = kDefaultColour,
      .topmost = false,
      .dragAnywhere = false,
      .escapeCloses = true,  // a close request, which stops the countdown
      .visible = false,
      .endsProgram = false,
  };
  // Above a slide show, which has the keyboard and keeps it.
  static const WindowSpec aboveAll = [] {
    WindowSpec above = layout;
    above.topmost = true;
    above.activatesWhenShown = false;
    return above;
  }();
  return aboveEverything ? aboveAll : layout;
}

}  // namespace zorvane

#include "display/display_window_layout.h"

namespace zorvane {

const WindowSpec& DisplayWindowSpec() {
  static const WindowSpec layout{
      .name = "DisplayWindow",
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
  return layout;
}

}  // namespace zorvane

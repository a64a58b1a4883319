// The frame the help and update-notes windows share: a title bar with only a close box,
// the default background, not on top and not movable by their contents, closed by Esc;
// closing them leaves the program running.
#pragma once

#include <span>
#include <string_view>

#include "platform/layout.h"

namespace zorvane {

constexpr WindowSpec AuxWindowSpec(std::string_view name, std::string_view title, Size size,
                                   std::span<const ControlSpec> controls) {
  return {
      .name = name,
      .title = title,
      .frame = FrameStyle::CaptionClose,
      .size = size,
      .background = kDefaultColour,
      .topmost = false,
      .dragAnywhere = false,
      .escapeCloses = true,
      .visible = true,
      .endsProgram = false,
      .controls = controls,
  };
}

}  // namespace zorvane

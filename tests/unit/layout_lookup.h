// The row of a window's layout table that has a given control name.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/layout.h"

namespace zorvane {

// A name the table lacks throws, which fails the test that asked with the name.
inline const ControlSpec& FindIn(const WindowSpec& window, std::string_view name) {
  for (const ControlSpec& control : window.controls) {
    if (control.name == name) return control;
  }
  throw std::out_of_range(std::string(name));
}

}  // namespace zorvane

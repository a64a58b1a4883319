// The name of the display window, which holds no controls. The end-to-end harness reads
// this file too (tests/e2e/harness/control_names.py), so the name stays on a line of its own.
#pragma once

#include <string_view>

namespace zorvane {
namespace display_window {
inline constexpr std::string_view kLayoutName = "DisplayWindow";
}  // namespace display_window
}  // namespace zorvane

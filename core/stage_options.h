// What a presenter can switch on by adding lines to MyConfig.ini by hand: the display kept
// above a slide show, the monitor it opens on, the time over after zero, and keys that work
// from any program. The program reads these lines at start-up with the other settings and
// never writes them. A line that is absent, empty or not understood leaves its option off.
//
//   [stage]
//   OnTop=1          the display (and the bar) stay above other topmost windows
//   Monitor=2        the display opens on the second monitor; Monitor=bar: the bar's monitor
//   Overtime=1       after zero the display counts the time over
//   [hotkeys]
//   StartStop=Ctrl+Alt+S   and Pause=, AddMinute=, SubtractMinute=
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zorvane {

// A key with its modifiers, as a system-wide hotkey is registered: the modifiers are the
// bits below, the key a virtual-key code.
struct KeyChord {
  enum Modifier : std::uint32_t { kAlt = 1, kControl = 2, kShift = 4, kWin = 8 };
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
  bool operator==(const KeyChord&) const = default;
};

// Where the display opens. The primary monitor unless the file names another.
struct MonitorChoice {
  bool followBar = false;  // Monitor=bar: the monitor the bar is on at Start
  int number = 0;          // Monitor=N: the Nth monitor (1 the primary); 0: the primary
  bool operator==(const MonitorChoice&) const = default;
};

enum class HotkeyAction : std::uint8_t { StartStop, Pause, AddMinute, SubtractMinute };
inline constexpr std::size_t kHotkeyActions = 4;

struct StageOptions {
  bool onTop = false;
  bool overtime = false;
  MonitorChoice monitor;
  std::array<std::optional<KeyChord>, kHotkeyActions> hotkeys;  // by HotkeyAction

  const std::optional<KeyChord>& Hotkey(HotkeyAction action) const {
    return hotkeys[static_cast<std::size_t>(action)];
  }
  bool operator==(const StageOptions&) const = default;
};

}  // namespace zorvane

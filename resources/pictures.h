// The pictures built into the program, as baseline JPEG bytes.
#pragma once

#include <cstdint>
#include <span>

namespace zorvane::pictures {

// The main window's 32x32 buttons.
extern const std::span<const std::uint8_t> PlayButton;
extern const std::span<const std::uint8_t> PauseButton;
extern const std::span<const std::uint8_t> GearButton;
extern const std::span<const std::uint8_t> CrossButton;

// The help window's figures: the folded main window, 250 by 94, and its time-entry row,
// 166 by 39, with the minutes and seconds boxes outlined in red.
extern const std::span<const std::uint8_t> HelpMainWindow;
extern const std::span<const std::uint8_t> HelpTimeEntry;

}  // namespace zorvane::pictures

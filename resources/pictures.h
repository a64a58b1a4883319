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

}  // namespace zorvane::pictures

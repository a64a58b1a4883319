// The two sound clips built into the program, as complete RIFF/WAVE images.
#pragma once

#include <cstdint>
#include <span>

namespace zorvane::sounds {

// Played once when the countdown reaches zero: 2.04 s, 22050 Hz, stereo, 16 bit.
extern const std::span<const std::uint8_t> AlarmClip;
// One click of the warning ticker: 0.16 s, 44100 Hz, stereo, 16 bit.
extern const std::span<const std::uint8_t> TickClip;

}  // namespace zorvane::sounds

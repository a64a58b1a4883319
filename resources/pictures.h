// The pictures built into the program, as baseline JPEG bytes, and the sets a control
// chooses from for its screen's DPI.
#pragma once

#include <cstdint>
#include <span>

#include "platform/picture_set.h"

namespace zorvane::pictures {

// The main window's buttons: 32x32 at 100 %, and 40, 48, 56 and 64 pixels at 125, 150, 175
// and 200 %.
extern const std::span<const std::uint8_t> PlayButton;
extern const std::span<const std::uint8_t> PlayButton125;
extern const std::span<const std::uint8_t> PlayButton150;
extern const std::span<const std::uint8_t> PlayButton175;
extern const std::span<const std::uint8_t> PlayButton200;
extern const std::span<const std::uint8_t> PauseButton;
extern const std::span<const std::uint8_t> PauseButton125;
extern const std::span<const std::uint8_t> PauseButton150;
extern const std::span<const std::uint8_t> PauseButton175;
extern const std::span<const std::uint8_t> PauseButton200;
extern const std::span<const std::uint8_t> GearButton;
extern const std::span<const std::uint8_t> GearButton125;
extern const std::span<const std::uint8_t> GearButton150;
extern const std::span<const std::uint8_t> GearButton175;
extern const std::span<const std::uint8_t> GearButton200;
extern const std::span<const std::uint8_t> CrossButton;
extern const std::span<const std::uint8_t> CrossButton125;
extern const std::span<const std::uint8_t> CrossButton150;
extern const std::span<const std::uint8_t> CrossButton175;
extern const std::span<const std::uint8_t> CrossButton200;

// The help window's figures: the folded main window, 250 by 94 at 100 %, and its
// time-entry row, 166 by 39, with the minutes and seconds boxes outlined in red;
// photographed from the program on screens of 125, 150, 175 and 200 % too.
extern const std::span<const std::uint8_t> HelpMainWindow;
extern const std::span<const std::uint8_t> HelpMainWindow125;
extern const std::span<const std::uint8_t> HelpMainWindow150;
extern const std::span<const std::uint8_t> HelpMainWindow175;
extern const std::span<const std::uint8_t> HelpMainWindow200;
extern const std::span<const std::uint8_t> HelpTimeEntry;
extern const std::span<const std::uint8_t> HelpTimeEntry125;
extern const std::span<const std::uint8_t> HelpTimeEntry150;
extern const std::span<const std::uint8_t> HelpTimeEntry175;
extern const std::span<const std::uint8_t> HelpTimeEntry200;

// One picture at the five scales, 100 % to 200 % in that order.
inline PictureSet AtFiveScales(std::span<const std::uint8_t> at100, std::span<const std::uint8_t> at125,
                               std::span<const std::uint8_t> at150, std::span<const std::uint8_t> at175,
                               std::span<const std::uint8_t> at200) {
  return {{96, at100}, {120, at125}, {144, at150}, {168, at175}, {192, at200}};
}

inline PictureSet PlayButtons() {
  return AtFiveScales(PlayButton, PlayButton125, PlayButton150, PlayButton175, PlayButton200);
}
inline PictureSet PauseButtons() {
  return AtFiveScales(PauseButton, PauseButton125, PauseButton150, PauseButton175, PauseButton200);
}
inline PictureSet GearButtons() {
  return AtFiveScales(GearButton, GearButton125, GearButton150, GearButton175, GearButton200);
}
inline PictureSet CrossButtons() {
  return AtFiveScales(CrossButton, CrossButton125, CrossButton150, CrossButton175, CrossButton200);
}
inline PictureSet HelpMainWindows() {
  return AtFiveScales(HelpMainWindow, HelpMainWindow125, HelpMainWindow150, HelpMainWindow175,
                      HelpMainWindow200);
}
inline PictureSet HelpTimeEntries() {
  return AtFiveScales(HelpTimeEntry, HelpTimeEntry125, HelpTimeEntry150, HelpTimeEntry175,
                      HelpTimeEntry200);
}

}  // namespace zorvane::pictures

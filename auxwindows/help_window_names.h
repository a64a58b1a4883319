// The names of the help window and of each of its controls: the layout and the tests find
// a control by one of these. The end-to-end harness reads this file too
// (tests/e2e/harness/control_names.py), so each name stays on a line of its own.
#pragma once

#include <string_view>

namespace zorvane {
namespace help_window {
inline constexpr std::string_view kLayoutName = "HelpWindow";
inline constexpr std::string_view kWelcome = "透明标签1";
// Figure 1, the folded main window, with the numbers ① to ⑥ on its controls.
inline constexpr std::string_view kMainWindowPicture = "图片框1";
inline constexpr std::string_view kTimeEntryMarker = "透明标签2";
inline constexpr std::string_view kRemainingMarker = "透明标签3";
inline constexpr std::string_view kStartMarker = "透明标签4";
inline constexpr std::string_view kPauseMarker = "透明标签5";
inline constexpr std::string_view kFoldMarker = "透明标签6";
inline constexpr std::string_view kExitMarker = "透明标签7";
inline constexpr std::string_view kFigureNumber = "透明标签8";
inline constexpr std::string_view kFigureCaption = "透明标签9";
// The explanations, a heading for each number.
inline constexpr std::string_view kTimeEntryHeading = "透明标签10";
inline constexpr std::string_view kTimeEntryPicture = "图片框2";
inline constexpr std::string_view kMinutesMark = "透明标签11";
inline constexpr std::string_view kSecondsMark = "透明标签12";
inline constexpr std::string_view kRemainingHeading = "透明标签13";
inline constexpr std::string_view kRemainingNote = "透明标签14";
inline constexpr std::string_view kStartHeading = "透明标签15";
inline constexpr std::string_view kStartNote = "透明标签16";
inline constexpr std::string_view kStopNote = "透明标签17";
inline constexpr std::string_view kPauseHeading = "透明标签18";
inline constexpr std::string_view kFoldHeading = "透明标签19";
inline constexpr std::string_view kExitHeading = "透明标签20";
inline constexpr std::string_view kExitNote = "透明标签21";
}  // namespace help_window
}  // namespace zorvane

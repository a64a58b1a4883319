// The names of the main window and of each of its controls: the layout, the handlers and
// the tests find a control by one of these. The end-to-end harness reads this file too
// (tests/e2e/harness/control_names.py), so each name stays on a line of its own.
#pragma once

#include <string_view>

namespace zorvane {
namespace main_window {
inline constexpr std::string_view kLayoutName = "MainWindow";
// The time entry and the remaining seconds.
inline constexpr std::string_view kTimeEntryLabel = "标签9";
inline constexpr std::string_view kMinutes = "分钟";
inline constexpr std::string_view kTimeColon = "标签8";
inline constexpr std::string_view kSeconds = "秒钟";
inline constexpr std::string_view kRemainingLabel = "标签1";
inline constexpr std::string_view kRemaining = "总时间";
// The picture buttons.
inline constexpr std::string_view kStart = "开始";
inline constexpr std::string_view kPause = "暂停";
inline constexpr std::string_view kFold = "设置";
inline constexpr std::string_view kExit = "退出";
// The about area of the expanded width.
inline constexpr std::string_view kAboutTitle = "标签14";
inline constexpr std::string_view kAboutVersion = "标签15";
inline constexpr std::string_view kAboutCopyright = "标签13";
inline constexpr std::string_view kHelpButton = "使用说明按钮";
inline constexpr std::string_view kNotesButton = "更新说明按钮";
// The hidden container of the digits' geometry, its letters and its boxes.
inline constexpr std::string_view kGeometrySettings = "外形框1";
inline constexpr std::string_view kDigitWidthLetter = "标签2";
inline constexpr std::string_view kDigitWidth = "宽度编辑框";
inline constexpr std::string_view kDigitHeightLetter = "标签3";
inline constexpr std::string_view kDigitHeight = "高度编辑框";
inline constexpr std::string_view kSegmentThicknessLetter = "标签4";
inline constexpr std::string_view kSegmentThickness = "厚度编辑框";
inline constexpr std::string_view kSegmentGapLetter = "标签12";
inline constexpr std::string_view kSegmentGap = "间隙编辑框";
// The hidden container of the colours, its letters, its pickers and the save button.
inline constexpr std::string_view kColourSettings = "外形框2";
inline constexpr std::string_view kBackgroundColourLetter = "标签5";
inline constexpr std::string_view kBackgroundColour = "背景颜色";
inline constexpr std::string_view kLitColourLetter = "标签6";
inline constexpr std::string_view kLitColour = "点亮颜色";
inline constexpr std::string_view kUnlitColourLetter = "标签7";
inline constexpr std::string_view kUnlitColour = "熄灭颜色";
inline constexpr std::string_view kAlarmColourLetter = "标签10";
inline constexpr std::string_view kAlarmColour = "警报颜色";
inline constexpr std::string_view kSeparatorColourLetter = "标签11";
inline constexpr std::string_view kSeparatorColour = "分割符颜色";
inline constexpr std::string_view kSave = "SAVE";
}  // namespace main_window
}  // namespace zorvane

// The main window: a narrow always-on-top bar with the time entry, the remaining seconds,
// four picture buttons, an about area seen only in the expanded width, and two hidden
// containers that hold the display settings.
#pragma once

#include "platform/layout.h"

namespace zorvane {

const WindowSpec& MainWindowSpec();

// Control names the program's handlers refer to.
namespace main_window {
inline constexpr std::string_view kMinutes = "分钟";
inline constexpr std::string_view kSeconds = "秒钟";
inline constexpr std::string_view kRemaining = "总时间";
inline constexpr std::string_view kStart = "开始";
inline constexpr std::string_view kPause = "暂停";
inline constexpr std::string_view kFold = "设置";
inline constexpr std::string_view kExit = "退出";
inline constexpr std::string_view kHelpButton = "使用说明按钮";
inline constexpr std::string_view kNotesButton = "更新说明按钮";
inline constexpr std::string_view kSave = "SAVE";
inline constexpr std::string_view kDigitWidth = "宽度编辑框";
inline constexpr std::string_view kDigitHeight = "高度编辑框";
inline constexpr std::string_view kSegmentThickness = "厚度编辑框";
inline constexpr std::string_view kSegmentGap = "间隙编辑框";
inline constexpr std::string_view kBackgroundColour = "背景颜色";
inline constexpr std::string_view kLitColour = "点亮颜色";
inline constexpr std::string_view kUnlitColour = "熄灭颜色";
inline constexpr std::string_view kAlarmColour = "警报颜色";
inline constexpr std::string_view kSeparatorColour = "分割符颜色";
}  // namespace main_window

}  // namespace zorvane

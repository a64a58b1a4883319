// The names of the update-notes window and of each of its controls: the layout and the
// tests find a control by one of these. The end-to-end harness reads this file too
// (tests/e2e/harness/control_names.py), so each name stays on a line of its own.
#pragma once

#include <string_view>

namespace zorvane {
namespace update_notes {
inline constexpr std::string_view kLayoutName = "UpdateNotesWindow";
inline constexpr std::string_view kInvitation = "标签1";
inline constexpr std::string_view kFetchOnlineButton = "按钮1";
inline constexpr std::string_view kNotes = "编辑框1";
inline constexpr std::string_view kOkButton = "按钮2";
}  // namespace update_notes
}  // namespace zorvane

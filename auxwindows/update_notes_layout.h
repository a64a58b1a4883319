// The update-notes window, "更新说明": the release notes as the fixed text of a read-only
// multi-line edit box, a line that invites fetching the latest notes online with the
// button beside it (which only reports that this is unavailable), and an OK button.
#pragma once

#include <string_view>

#include "platform/layout.h"

namespace zorvane {

const WindowSpec& UpdateNotesWindowSpec();

namespace update_notes {
inline constexpr std::string_view kLayoutName = "UpdateNotesWindow";
inline constexpr std::string_view kFetchOnlineButton = "按钮1";
inline constexpr std::string_view kNotes = "编辑框1";
inline constexpr std::string_view kOkButton = "按钮2";

// The release notes: thirteen lines, each ended by CR LF.
std::string_view NotesText();
}  // namespace update_notes

}  // namespace zorvane

// The update-notes window, "更新说明": the release notes as the fixed text of a read-only
// multi-line edit box, a line that invites fetching the latest notes online with the
// button beside it (which only reports that this is unavailable), and an OK button.
#pragma once

#include <string_view>

#include "auxwindows/update_notes_names.h"
#include "platform/layout.h"

namespace zorvane {

const WindowSpec& UpdateNotesWindowSpec();

namespace update_notes {
// The release notes: thirteen lines, each ended by CR LF.
std::string_view NotesText();
}  // namespace update_notes

}  // namespace zorvane

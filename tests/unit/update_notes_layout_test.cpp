// The update-notes window's table against what the window must show: the thirteen lines
// of notes with CR LF after each, in a read-only box, and the texts of its other controls.
#include "auxwindows/update_notes_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gbk_check.h"
#include "layout_lookup.h"

namespace zorvane {
namespace {

const ControlSpec& Find(std::string_view name) { return FindIn(UpdateNotesWindowSpec(), name); }

std::vector<std::string_view> LinesEndedByCrLf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos;) {
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  EXPECT_TRUE(text.empty()) << "text after the last CR LF";
  return lines;
}

TEST(UpdateNotesLayout, NotesAreThirteenLinesEachEndedByCrLf) {
  const std::string_view notes = update_notes::NotesText();
  EXPECT_TRUE(testing::IsGbk(notes));
  // No line feed without its carriage return, and no carriage return alone.
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (notes[i] == '\n') {
      EXPECT_TRUE(i > 0 && notes[i - 1] == '\r') << i;
    }
    if (notes[i] == '\r') {
      EXPECT_TRUE(i + 1 < notes.size() && notes[i + 1] == '\n') << i;
    }
  }
  const std::vector<std::string_view> lines = LinesEndedByCrLf(notes);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "QuillomarZorvane \xB8\xFC\xD0\xC2\xCB\xB5\xC3\xF7\xCE\xC4\xBC\xFE");
  EXPECT_EQ(lines[1], std::string(36, '-'));
  EXPECT_EQ(lines[2], "V1.1.1.15");
  EXPECT_EQ(lines[7], std::string(20, '-'));
  EXPECT_EQ(lines[8], "");
  EXPECT_EQ(lines[9], "V1.1.1.13");
  // The items are numbered "1、", "2、", "3、" (、 is A1 A2), but for line 12's "2.".
  const std::pair<std::size_t, std::string> items[] = {
      {3, "1\xA1\xA2"}, {4, "2\xA1\xA2"}, {6, "3\xA1\xA2"},
      {10, "1\xA1\xA2"}, {11, "2.\xB8\xFC\xD0\xC2"}, {12, "3\xA1\xA2"}};
  for (const auto& [line, start] : items) {
    EXPECT_TRUE(lines[line].starts_with(start)) << "line " << line + 1;
  }
  // The note in full-width parentheses, items ended by a full-width semicolon or stop.
  EXPECT_TRUE(lines[5].starts_with("\xA3\xA8") && lines[5].ends_with("\xA3\xA9"));
  EXPECT_TRUE(lines[3].ends_with("\xA3\xBB"));
  EXPECT_TRUE(lines[12].ends_with("\xA1\xA3"));
}

TEST(UpdateNotesLayout, ControlsShowTheirTextsAndTheNotesCannotBeChanged) {
  EXPECT_EQ(UpdateNotesWindowSpec().title, "\xB8\xFC\xD0\xC2\xCB\xB5\xC3\xF7");  // 更新说明
  const ControlSpec& notes = Find(update_notes::kNotes);
  EXPECT_EQ(notes.text, update_notes::NotesText());
  EXPECT_EQ(notes.editMode, EditMode::ReadOnly);
  EXPECT_TRUE(notes.multiline);  // wraps at the box's width
  const ControlSpec& invitation = Find(update_notes::kInvitation);
  const ControlSpec& fetch = Find(update_notes::kFetchOnlineButton);
  const ControlSpec& ok = Find(update_notes::kOkButton);
  EXPECT_TRUE(testing::IsGbk(invitation.text));
  EXPECT_TRUE(invitation.text.ends_with("\xC7\xEB"));  // 请 ... then the button's words
  EXPECT_LE(invitation.rect.left + invitation.rect.width, fetch.rect.left);
  EXPECT_EQ(fetch.text, "\xC1\xAA\xBB\xFA\xBB\xF1\xC8\xA1");  // 联机获取
  EXPECT_EQ(ok.text, "\xC8\xB7\xB6\xA8");  // 确定
}

}  // namespace
}  // namespace zorvane

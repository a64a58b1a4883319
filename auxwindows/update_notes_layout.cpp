#include "auxwindows/update_notes_layout.h"

#include "auxwindows/aux_window_spec.h"

namespace zorvane {
namespace {

// Built into the window, never read from a file or the network. The edit control wants
// CR LF line ends; the last line has one too. Line 12 numbers its item "2." where the
// others use "、": that is how the notes were written.
constexpr std::string_view kNotesText =
    "QuillomarZorvane 更新说明文件\r\n"
    "------------------------------------\r\n"
    "V1.1.1.15\r\n"
    "1、修正了本地更新说明文件读取失败的问题；\r\n"
    "2、修改了联机获取的错误弹出方式；\r\n"
    "（注：由于资金不足服务器暂时无法运行，联机获取功能将暂时停用。本次将提示内容修改为更友好的话语）\r\n"
    "3、细微的界面修改。\r\n"
    "--------------------\r\n"
    "\r\n"
    "V1.1.1.13\r\n"
    "1、修改优化了部分界面，防止误点击操作问题；\r\n"
    "2.更新了部分界面文字提示内容；\r\n"
    "3、错误修复。\r\n";

constexpr ControlSpec kControls[] = {
    // Reads on into the button to its right.
    {.name = update_notes::kInvitation, .kind = ControlKind::Label, .rect = {6, 3, 280, 24},
     .text = "您正查看的是离线内容。如需查看最新在线文档，请", .textColour = kBlack,
     .backColour = kDefaultColour},
    {.name = update_notes::kFetchOnlineButton, .kind = ControlKind::Button,
     .rect = {287, 4, 68, 20}, .text = "联机获取", .tabStop = true},
    // Multi-line without horizontal scrolling, so long lines wrap at the box's width; no
    // scroll bars. Read-only: the notes can be selected and copied but not changed.
    {.name = update_notes::kNotes, .kind = ControlKind::EditBox, .rect = {6, 29, 362, 163},
     .text = kNotesText, .textColour = kBlack, .backColour = kWhite, .tabStop = true,
     .border = Border::Sunken, .editMode = EditMode::ReadOnly, .multiline = true},
    {.name = update_notes::kOkButton, .kind = ControlKind::Button, .rect = {154, 199, 80, 22},
     .text = "确定", .font = {"", 14, kNormalWeight}, .tabStop = true},
};

}  // namespace

std::string_view update_notes::NotesText() { return kNotesText; }

const WindowSpec& UpdateNotesWindowSpec() {
  static const WindowSpec layout =
      AuxWindowSpec(update_notes::kLayoutName, "更新说明", {380, 257}, kControls);
  return layout;
}

}  // namespace zorvane

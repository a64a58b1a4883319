#include "app/main_window_layout.h"

#include <vector>

#include "resources/pictures.h"

namespace zorvane {
namespace {

constexpr FontSpec kYaHei15Bold{"微软雅黑", 15, kBoldWeight};
constexpr FontSpec kYaHei16Bold{"微软雅黑", 16, kBoldWeight};
constexpr FontSpec kYaHei14Bold{"微软雅黑", 14, kBoldWeight};
constexpr FontSpec kEntryFont{"", 20, kBoldWeight};
constexpr Colour kAboutBlue = 12607488;  // 0xC06000
constexpr Colour kGrey = 8421504;        // 0x808080
constexpr Colour kRed = 255;

ControlSpec PictureButton(std::string_view name, Point at, std::string_view caption,
                          int focusOrder, PictureSet picture) {
  return {.name = name, .kind = ControlKind::Button, .rect = {at.x, at.y, 32, 32},
          .text = caption, .tabStop = true, .focusOrder = focusOrder, .picture = picture};
}

ControlSpec SettingLetter(std::string_view name, std::string_view parent, Rect rect,
                          std::string_view letter, FontSpec font) {
  return {.name = name, .kind = ControlKind::Label, .rect = rect, .text = letter, .font = font,
          .parent = parent};
}

ControlSpec GeometryBox(std::string_view name, int top, std::string_view designText) {
  return {.name = name, .kind = ControlKind::EditBox, .rect = {24, top, 54, 15},
          .text = designText, .backColour = kWhite, .tabStop = true, .focusOrder = 7,
          .parent = "外形框1", .border = Border::Single, .editMode = EditMode::IntegerText};
}

ControlSpec ColourBox(std::string_view name, Point at) {
  return {.name = name, .kind = ControlKind::ColourPicker, .rect = {at.x, at.y, 48, 16},
          .tabStop = true, .focusOrder = 8, .parent = "外形框2"};
}

std::vector<ControlSpec> MakeControls() {
  constexpr FontSpec kLetter14{"", 14, kBoldWeight};
  constexpr FontSpec kLetter16{"", 16, kNormalWeight};
  return {
      // The time entry.
      {.name = "标签9", .kind = ControlKind::Label, .rect = {5, 15, 67, 24}, .text = "倒数时间:",
       .font = kYaHei15Bold, .backColour = kWhite},
      {.name = main_window::kMinutes, .kind = ControlKind::EditBox, .rect = {74, 15, 32, 24},
       .font = kEntryFont, .backColour = kWhite, .tabStop = true, .focusOrder = 0,
       .border = Border::Single, .editMode = EditMode::IntegerText},
      {.name = "标签8", .kind = ControlKind::Label, .rect = {106, 12, 8, 24}, .text = ":",
       .font = {"", 24, kBoldWeight}, .backColour = kWhite},
      {.name = main_window::kSeconds, .kind = ControlKind::EditBox, .rect = {119, 15, 32, 24},
       .font = kEntryFont, .backColour = kWhite, .tabStop = true, .focusOrder = 1,
       .border = Border::Single, .editMode = EditMode::IntegerText},
      // The remaining time.
      {.name = "标签1", .kind = ControlKind::Label, .rect = {5, 52, 67, 24}, .text = "倒数秒数:",
       .font = kYaHei15Bold, .backColour = kWhite},
      {.name = main_window::kRemaining, .kind = ControlKind::EditBox, .rect = {74, 52, 79, 24},
       .font = {"宋体", 20, kBoldWeight}, .textColour = kRed, .backColour = kWhite,
       .tabStop = true, .focusOrder = 4, .border = Border::Single,
       .editMode = EditMode::ReadOnly},
      // The picture buttons; the captions of the first two are the countdown's state.
      PictureButton(main_window::kStart, {162, 10}, "B", 2, pictures::PlayButtons()),
      PictureButton(main_window::kPause, {202, 9}, "P", 3, pictures::PauseButtons()),
      PictureButton(main_window::kFold, {161, 49}, "设置", 6, pictures::GearButtons()),
      PictureButton(main_window::kExit, {202, 48}, "", 5, pictures::CrossButtons()),
      // The about area, inside the window only in the expanded width.
      {.name = "标签14", .kind = ControlKind::Label, .rect = {340, 1, 72, 24}, .text = "关于软件",
       .font = kYaHei16Bold, .textColour = kAboutBlue, .backColour = kWhite,
       .align = TextAlign::Centre},
      // The about text has always read 1.1.1.13, while the update notes and the program's
      // version record say 1.1.1.15: users know the bar by it, so it stays as it is.
      {.name = "标签15", .kind = ControlKind::Label, .rect = {266, 22, 251, 24},
       .text = "Zorvane   版本：1.1.1.13", .font = kYaHei14Bold, .textColour = kGrey,
       .backColour = kWhite},
      {.name = "标签13", .kind = ControlKind::Label, .rect = {261, 39, 251, 25},
       .text = "Quillomar工作室 版权所有", .font = kYaHei14Bold,
       .backColour = kWhite},
      {.name = main_window::kHelpButton, .kind = ControlKind::Button, .rect = {285, 64, 75, 21},
       .text = "软件提示", .font = {"", 13, kNormalWeight}, .tabStop = true, .focusOrder = 0},
      {.name = main_window::kNotesButton, .kind = ControlKind::Button, .rect = {381, 64, 75, 21},
       .text = "更新说明", .font = {"", 13, kNormalWeight}, .tabStop = true, .focusOrder = 0},
      // The settings, held by controls nobody sees: below the window's bottom edge, in
      // containers that stay hidden.
      {.name = "外形框1", .kind = ControlKind::ShapeBox, .rect = {380, 152, 86, 64},
       .visible = false},
      SettingLetter("标签2", "外形框1", {9, 2, 10, 15}, "W", kLetter14),
      GeometryBox(main_window::kDigitWidth, 2, "120"),
      SettingLetter("标签3", "外形框1", {9, 16, 10, 15}, "H", kLetter14),
      GeometryBox(main_window::kDigitHeight, 16, "200"),
      SettingLetter("标签4", "外形框1", {9, 30, 10, 15}, "B", kLetter14),
      GeometryBox(main_window::kSegmentThickness, 30, "20"),
      SettingLetter("标签12", "外形框1", {9, 43, 10, 15}, "S", kLetter14),
      GeometryBox(main_window::kSegmentGap, 44, "2"),
      {.name = "外形框2", .kind = ControlKind::ShapeBox, .rect = {485, 106, 165, 64},
       .visible = false},
      SettingLetter("标签5", "外形框2", {12, -1, 16, 24}, "B", kLetter16),
      ColourBox(main_window::kBackgroundColour, {29, 3}),
      SettingLetter("标签6", "外形框2", {13, 15, 16, 24}, "L", kLetter16),
      ColourBox(main_window::kLitColour, {29, 23}),
      SettingLetter("标签7", "外形框2", {12, 36, 16, 24}, "D", kLetter16),
      ColourBox(main_window::kUnlitColour, {29, 42}),
      SettingLetter("标签10", "外形框2", {101, -4, 16, 24}, "A", kLetter16),
      ColourBox(main_window::kAlarmColour, {101, 3}),
      SettingLetter("标签11", "外形框2", {84, 0, 16, 24}, "S", kLetter16),
      ColourBox(main_window::kSeparatorColour, {101, 23}),
      {.name = main_window::kSave, .kind = ControlKind::Button, .rect = {95, 40, 56, 21},
       .text = "SAVE", .font = {"", 12, kBoldWeight}, .tabStop = true, .focusOrder = 0,
       .parent = "外形框2"},
  };
}

}  // namespace

const WindowSpec& MainWindowSpec() {
  static const std::vector<ControlSpec> controls = MakeControls();
  static const WindowSpec layout{
      .name = "MainWindow",
      .title = "",
      .frame = FrameStyle::DialogFrame,
      .size = {501, 94},
      .background = kWhite,
      .topmost = true,
      .dragAnywhere = true,
      .escapeCloses = true,
      .visible = true,
      .endsProgram = true,
      .controls = controls,
  };
  return layout;
}

}  // namespace zorvane

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
          .parent = main_window::kGeometrySettings, .border = Border::Single,
          .editMode = EditMode::IntegerText};
}

ControlSpec ColourBox(std::string_view name, Point at) {
  return {.name = name, .kind = ControlKind::ColourPicker, .rect = {at.x, at.y, 48, 16},
          .tabStop = true, .focusOrder = 8, .parent = main_window::kColourSettings};
}

std::vector<ControlSpec> MakeControls() {
  using namespace main_window;
  constexpr FontSpec kLetter14{"", 14, kBoldWeight};
  constexpr FontSpec kLetter16{"", 16, kNormalWeight};
  return {
      // The time entry.
      {.name = kTimeEntryLabel, .kind = ControlKind::Label, .rect = {5, 15, 67, 24},
       .text = "倒数时间:", .font = kYaHei15Bold, .backColour = kWhite},
      {.name = kMinutes, .kind = ControlKind::EditBox, .rect = {74, 15, 32, 24},
       .font = kEntryFont, .backColour = kWhite, .tabStop = true, .focusOrder = 0,
       .border = Border::Single, .editMode = EditMode::IntegerText},
      {.name = kTimeColon, .kind = ControlKind::Label, .rect = {106, 12, 8, 24}, .text = ":",
       .font = {"", 24, kBoldWeight}, .backColour = kWhite},
      {.name = kSeconds, .kind = ControlKind::EditBox, .rect = {119, 15, 32, 24},
       .font = kEntryFont, .backColour = kWhite, .tabStop = true, .focusOrder = 1,
       .border = Border::Single, .editMode = EditMode::IntegerText},
      // The remaining time.
      {.name = kRemainingLabel, .kind = ControlKind::Label, .rect = {5, 52, 67, 24},
       .text = "倒数秒数:", .font = kYaHei15Bold, .backColour = kWhite},
      {.name = kRemaining, .kind = ControlKind::EditBox, .rect = {74, 52, 79, 24},
       .font = {"宋体", 20, kBoldWeight}, .textColour = kRed, .backColour = kWhite,
       .tabStop = true, .focusOrder = 4, .border = Border::Single,
       .editMode = EditMode::ReadOnly},
      // The picture buttons; the captions of the first two are the countdown's state.
      PictureButton(kStart, {162, 10}, "B", 2, pictures::PlayButtons()),
      PictureButton(kPause, {202, 9}, "P", 3, pictures::PauseButtons()),
      PictureButton(kFold, {161, 49}, "设置", 6, pictures::GearButtons()),
      PictureButton(kExit, {202, 48}, "", 5, pictures::CrossButtons()),
      // The about area, inside the window only in the expanded width.
      {.name = kAboutTitle, .kind = ControlKind::Label, .rect = {340, 1, 72, 24},
       .text = "关于软件", .font = kYaHei16Bold, .textColour = kAboutBlue, .backColour = kWhite,
       .align = TextAlign::Centre},
      // The about text has always read 1.1.1.13, while the update notes and the program's
      // version record say 1.1.1.15: users know the bar by it, so it stays as it is.
      {.name = kAboutVersion, .kind = ControlKind::Label, .rect = {266, 22, 251, 24},
       .text = "Zorvane   版本：1.1.1.13", .font = kYaHei14Bold, .textColour = kGrey,
       .backColour = kWhite},
      {.name = kAboutCopyright, .kind = ControlKind::Label, .rect = {261, 39, 251, 25},
       .text = "Quillomar工作室 版权所有", .font = kYaHei14Bold,
       .backColour = kWhite},
      {.name = kHelpButton, .kind = ControlKind::Button, .rect = {285, 64, 75, 21},
       .text = "软件提示", .font = {"", 13, kNormalWeight}, .tabStop = true, .focusOrder = 0},
      {.name = kNotesButton, .kind = ControlKind::Button, .rect = {381, 64, 75, 21},
       .text = "更新说明", .font = {"", 13, kNormalWeight}, .tabStop = true, .focusOrder = 0},
      // The settings, held by controls nobody sees: below the window's bottom edge, in
      // containers that stay hidden.
      {.name = kGeometrySettings, .kind = ControlKind::ShapeBox, .rect = {380, 152, 86, 64},
       .visible = false},
      SettingLetter(kDigitWidthLetter, kGeometrySettings, {9, 2, 10, 15}, "W", kLetter14),
      GeometryBox(kDigitWidth, 2, "120"),
      SettingLetter(kDigitHeightLetter, kGeometrySettings, {9, 16, 10, 15}, "H", kLetter14),
      GeometryBox(kDigitHeight, 16, "200"),
      SettingLetter(kSegmentThicknessLetter, kGeometrySettings, {9, 30, 10, 15}, "B", kLetter14),
      GeometryBox(kSegmentThickness, 30, "20"),
      SettingLetter(kSegmentGapLetter, kGeometrySettings, {9, 43, 10, 15}, "S", kLetter14),
      GeometryBox(kSegmentGap, 44, "2"),
      {.name = kColourSettings, .kind = ControlKind::ShapeBox, .rect = {485, 106, 165, 64},
       .visible = false},
      SettingLetter(kBackgroundColourLetter, kColourSettings, {12, -1, 16, 24}, "B", kLetter16),
      ColourBox(kBackgroundColour, {29, 3}),
      SettingLetter(kLitColourLetter, kColourSettings, {13, 15, 16, 24}, "L", kLetter16),
      ColourBox(kLitColour, {29, 23}),
      SettingLetter(kUnlitColourLetter, kColourSettings, {12, 36, 16, 24}, "D", kLetter16),
      ColourBox(kUnlitColour, {29, 42}),
      SettingLetter(kAlarmColourLetter, kColourSettings, {101, -4, 16, 24}, "A", kLetter16),
      ColourBox(kAlarmColour, {101, 3}),
      SettingLetter(kSeparatorColourLetter, kColourSettings, {84, 0, 16, 24}, "S", kLetter16),
      ColourBox(kSeparatorColour, {101, 23}),
      {.name = kSave, .kind = ControlKind::Button, .rect = {95, 40, 56, 21},
       .text = "SAVE", .font = {"", 12, kBoldWeight}, .tabStop = true, .focusOrder = 0,
       .parent = kColourSettings},
  };
}

}  // namespace

const WindowSpec& MainWindowSpec() {
  static const std::vector<ControlSpec> controls = MakeControls();
  static const WindowSpec layout{
      .name = main_window::kLayoutName,
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

#include "auxwindows/help_window_layout.h"

#include <vector>

#include "auxwindows/aux_window_spec.h"
#include "resources/pictures.h"

namespace zorvane {
namespace {

constexpr Colour kViolet = 14692440;  // 0xE03058
constexpr Colour kRed = 255;          // 0x0000FF
constexpr Colour kNavy = 8388608;     // 0x800000
constexpr std::string_view kYaHei = "微软雅黑";

// Every text of the page is a transparent label, so the numbers drawn over the picture
// leave the picture visible round their glyphs.
ControlSpec Text(std::string_view name, Rect rect, std::string_view text, FontSpec font,
                 Colour colour) {
  return {.name = name, .kind = ControlKind::TransLabel, .rect = rect, .text = text,
          .font = font, .textColour = colour};
}

// A red number placed on the control of the picture it refers to.
ControlSpec Marker(std::string_view name, Point at, std::string_view number) {
  return Text(name, {at.x, at.y, 100, 25}, number, {kYaHei, 19, kBoldWeight}, kRed);
}

// The number and name of one control, above or beside its explanation.
ControlSpec Heading(std::string_view name, Rect rect, std::string_view text) {
  return Text(name, rect, text, {kYaHei, 16, kBoldWeight}, kViolet);
}

ControlSpec Explanation(std::string_view name, Rect rect, std::string_view text) {
  return Text(name, rect, text, {kYaHei, 14, kBoldWeight}, kBlack);
}

ControlSpec Picture(std::string_view name, Rect rect, PictureSet picture) {
  return {.name = name, .kind = ControlKind::PicBox, .rect = rect, .picture = picture};
}

std::vector<ControlSpec> MakeControls() {
  using namespace help_window;
  return {
      Text(kWelcome, {9, 10, 352, 20}, "欢迎您使用由Quillomar工作室研发的Zorvane。",
           {"", 14, kNormalWeight}, kBlack),
      // Figure 1: the folded main window; the box is larger than the picture, and the
      // window's background shows in the rest of it.
      Picture(kMainWindowPicture, {20, 41, 256, 112}, pictures::HelpMainWindows()),
      Marker(kTimeEntryMarker, {7, 55}, "①"),  // beside the time-entry row
      Marker(kRemainingMarker, {7, 91}, "②"),  // beside the remaining-seconds row
      Marker(kStartMarker, {173, 39}, "③"),    // top-left corner of the play button
      Marker(kPauseMarker, {250, 39}, "④"),    // top-right corner of the pause button
      Marker(kFoldMarker, {175, 105}, "⑤"),    // lower-left corner of the gear button
      Marker(kExitMarker, {250, 105}, "⑥"),    // lower-right corner of the cross button
      Text(kFigureNumber, {281, 58, 100, 25}, "图一", {kYaHei, 19, kNormalWeight}, kNavy),
      Text(kFigureCaption, {282, 83, 100, 25}, "主界面", {kYaHei, 17, kNormalWeight}, kNavy),
      // The explanations. The time-entry picture is wider than its box, which cuts off
      // its last columns; "分" and "秒" are written into its two outlined boxes.
      Heading(kTimeEntryHeading, {9, 145, 123, 25}, "① 倒数时间设置"),
      Picture(kTimeEntryPicture, {136, 137, 160, 40}, pictures::HelpTimeEntries()),
      Text(kMinutesMark, {221, 147, 123, 25}, "分", {kYaHei, 16, kBoldWeight}, kRed),
      Text(kSecondsMark, {267, 147, 123, 25}, "秒", {kYaHei, 16, kBoldWeight}, kRed),
      Heading(kRemainingHeading, {9, 172, 123, 25}, "② 剩余时间显示"),
      Explanation(kRemainingNote, {132, 171, 168, 25}, "（请勿在此框内输入内容）"),
      Heading(kStartHeading, {9, 197, 123, 25}, "③ 开始/停止"),
      Explanation(kStartNote, {108, 195, 238, 25}, "设置时间后，点击此按钮开始倒计时；"),
      Explanation(kStopNote, {108, 213, 238, 25}, "倒计时过程中，点击此按钮停止倒计时"),
      Heading(kPauseHeading, {10, 237, 136, 25}, "④ 暂停倒计时按钮"),
      Heading(kFoldHeading, {182, 236, 136, 25}, "⑤ 展开设置选项"),
      Heading(kExitHeading, {10, 263, 136, 25}, "⑥ 退出按钮"),
      Explanation(kExitNote, {99, 261, 189, 25}, "（点击后将直接退出本软件）"),
  };
}

}  // namespace

const WindowSpec& HelpWindowSpec() {
  static const std::vector<ControlSpec> controls = MakeControls();
  static const WindowSpec layout =
      AuxWindowSpec(help_window::kLayoutName, "软件提示", {361, 321}, controls);
  return layout;
}

}  // namespace zorvane

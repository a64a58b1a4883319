// Window layouts as data: one table of controls per window, built by the platform.
//
// Texts are the program's own code page 936 (GBK) byte strings; the sources are UTF-8 and
// the compiler turns every narrow literal into GBK bytes (-fexec-charset), so a table reads
// like the window it describes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/geometry.h"
#include "platform/picture_set.h"

namespace zorvane {

enum class ControlKind {
  Label,        // one line of static text with an opaque background
  EditBox,      // standard edit control
  Button,       // push button, optionally showing a picture instead of its caption
  ShapeBox,     // plain container; its children are placed relative to it
  ColourPicker,  // holds one colour
  PicBox,       // shows its picture, at the size for the screen, from its top-left corner
  TransLabel,   // text drawn without a background
};

enum class Border { None, Single, Sunken };

enum class EditMode {
  Normal,
  ReadOnly,
  IntegerText,  // typed characters other than 0-9 and "-" are dropped; paste is not filtered
};

enum class TextAlign { Left, Centre };

inline constexpr int kNormalWeight = 400;
inline constexpr int kBoldWeight = 700;

// A character height in pixels and a weight. An empty face means the system's default face
// for that height; a height of 0 means no font at all: the default GUI font.
struct FontSpec {
  std::string_view face = {};
  int pixelHeight = 0;
  int weight = kNormalWeight;

  bool IsGuiFont() const { return pixelHeight == 0; }
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  Rect rect = {};
  std::string_view text = {};
  FontSpec font = {};
  Colour textColour = kBlack;
  Colour backColour = kDefaultColour;
  bool visible = true;
  bool tabStop = false;
  int focusOrder = 0;             // place in the Tab order; ties keep table order
  std::string_view parent = {};   // the ShapeBox this control sits in, if any
  Border border = Border::None;
  EditMode editMode = EditMode::Normal;
  bool multiline = false;         // edit boxes: wraps at the box's width, keeps Enter
  TextAlign align = TextAlign::Left;
  PictureSet picture = {};        // buttons and picture boxes: the picture at its scales
  Colour colour = 0;              // colour pickers: the colour held at creation
};

enum class FrameStyle {
  DialogFrame,   // fixed dialog frame, no title bar, no system menu
  CaptionClose,  // title bar with only a close box, not resizable
  Borderless,    // no border and no title bar
};

struct WindowSpec {
  std::string_view name;
  std::string_view title = {};
  FrameStyle frame = FrameStyle::DialogFrame;
  Size size = {};
  Colour background = kDefaultColour;
  bool topmost = false;
  bool dragAnywhere = false;     // a press on the background or a label moves the window
  bool escapeCloses = true;      // Esc asks the window to close
  bool visible = true;           // shown when created
  bool endsProgram = false;      // the message loop ends once this window is gone
  std::span<const ControlSpec> controls = {};
  // Showing it makes it the active window, with the keyboard; without, the keyboard stays
  // in whichever window had it (another program's, say) until the user clicks this one.
  bool activatesWhenShown = true;
};

// A window is created centred on the primary screen, with integer division.
constexpr Point CentredOrigin(Size window, Size screen) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

}  // namespace zorvane

// The nine display settings between MyConfig.ini, beside the executable, and the hidden
// controls of the main window that hold them while the program runs.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/window_system.h"
#include "settings/stage_options_reader.h"

namespace zorvane {

// The main window's nine hidden controls that hold the settings, found by the shell.
struct SettingsControls {
  ControlHandle digitWidth;  // the four geometry boxes hold text
  ControlHandle digitHeight;
  ControlHandle segmentThickness;
  ControlHandle segmentGap;
  ControlHandle background;  // the five colour pickers hold integers
  ControlHandle lit;
  ControlHandle unlit;
  ControlHandle alarm;
  ControlHandle separator;
};

struct SettingRow {
  std::string_view section;
  std::string_view key;
  std::string_view defaultText;
  ControlHandle SettingsControls::*control;  // the control that holds it
  bool isColour;                             // held as a colour (an integer) rather than as text
};

// In the order in which they are read and written.
std::span<const SettingRow> SettingRows();

// The executable's folder (the path cut before its last backslash) and "\MyConfig.ini":
// an executable in a drive's root gives "C:\MyConfig.ini".
std::string ConfigFilePath(std::string_view executablePath);

// Creates an empty file when there is none, then fills the nine controls: the geometry
// texts unchanged, the colours through TextToInteger. A missing key gives its default; a
// file that cannot be read, or one over 1 MB, gives the defaults. The file may be in code
// page 936 or in UTF-16LE with its byte-order mark. Returns the presenter's options read
// from the same file (all off when it cannot be read).
StageOptions LoadSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files);

// Writes all nine values into the file, keeping every other line of it and its encoding.
// The file is replaced in one step; when that cannot be done, or the old file cannot be
// read or is over 1 MB (so its other lines would be lost), the file stays as it was.
void SaveSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files);

}  // namespace zorvane

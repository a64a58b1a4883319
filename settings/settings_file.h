// The nine display settings between MyConfig.ini, beside the executable, and the hidden
// controls of the main window that hold them while the program runs.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/window_system.h"

namespace zorvane {

struct SettingRow {
  std::string_view section;
  std::string_view key;
  std::string_view defaultText;
  std::string_view control;  // the main window's control that holds it
  bool isColour;             // held as a colour (an integer) rather than as text
};

// In the order in which they are read and written.
std::span<const SettingRow> SettingRows();

// The executable's folder (the path cut before its last backslash) and "\MyConfig.ini":
// an executable in a drive's root gives "C:\MyConfig.ini".
std::string ConfigFilePath(std::string_view executablePath);

// Creates an empty file when there is none, then fills the nine controls: the geometry
// texts unchanged, the colours through TextToInteger. A missing key gives its default.
void LoadSettings(WindowSystem& ui, WindowHandle mainWindow, FileSystem& files);

// Writes all nine values into the file, keeping every other line of it. The file is
// replaced in one step; when that cannot be done, or the old file cannot be read (so its
// other lines would be lost), the file stays as it was.
void SaveSettings(WindowSystem& ui, WindowHandle mainWindow, FileSystem& files);

}  // namespace zorvane

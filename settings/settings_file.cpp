#include "settings/settings_file.h"

#include <array>

#include "core/text_to_integer.h"
#include "platform/ignored_failure.h"
#include "settings/ini_file_text.h"

namespace zorvane {
namespace {

constexpr std::array<SettingRow, 9> kRows{{
    {"Main", "Width", "120", &SettingsControls::digitWidth, false},
    // The one default with a leading blank; it stays in the file as "High= 200".
    {"Main", "High", " 200", &SettingsControls::digitHeight, false},
    {"Main", "Border", "20", &SettingsControls::segmentThickness, false},
    {"Main", "Space", "2", &SettingsControls::segmentGap, false},
    {"color", "bgc", "13948116", &SettingsControls::background, true},
    {"color", "lc", "0", &SettingsControls::lit, true},
    {"color", "dc", "15527148", &SettingsControls::unlit, true},
    {"color", "alarm", "255", &SettingsControls::alarm, true},
    {"color", "split", "0", &SettingsControls::separator, true},
}};

constexpr std::string_view kFileName = "\\MyConfig.ini";

// A file larger than this is no settings file a person wrote, and one much larger would not
// fit into the program's memory: it counts as a file that cannot be read.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;

// The file as the program reads it; nothing when it is missing, cannot be read, is too large
// or is no text.
std::optional<IniFileText> ReadSettingsFile(const FileSystem& files, const std::string& path) {
  const std::optional<std::string> bytes = files.ReadFile(path, kLargestFile);
  if (!bytes) return std::nullopt;
  return IniFileText::Decode(*bytes, files);
}

void PutIntoControl(WindowSystem& ui, const SettingsControls& controls, const SettingRow& row,
                    const std::string& text) {
  const ControlHandle control = controls.*row.control;
  if (row.isColour) {
    ui.SetControlColour(control, static_cast<Colour>(TextToInteger(text)));
  } else {
    ui.SetControlText(control, text);
  }
}

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

std::string ConfigFilePath(std::string_view executablePath) {
  const std::size_t slash = executablePath.rfind('\\');
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view{} : executablePath.substr(0, slash);
  return std::string(folder) + std::string(kFileName);
}

StageOptions LoadSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files) {
  const std::string path = ConfigFilePath(files.ExecutablePath());
  if (!files.Exists(path)) files.CreateEmptyFile(path);
  // The defaults go in first, so that whatever stops the reading on its way leaves them.
  for (const SettingRow& row : kRows) PutIntoControl(ui, controls, row, std::string(row.defaultText));
  const std::optional<IniFileText> file = ReadSettingsFile(files, path);
  if (!file) {
    TraceIgnoredFailure("settings not read: the file cannot be read, is over 1 MB or is no text");
    return {};
  }
  for (const SettingRow& row : kRows) {
    if (std::optional<std::string> text = file->Document().Value(row.section, row.key)) {
      PutIntoControl(ui, controls, row, *text);
    }
  }
  return ReadStageOptions(file->Document());
}

void SaveSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files) {
  const std::string path = ConfigFilePath(files.ExecutablePath());
  std::optional<IniFileText> file = ReadSettingsFile(files, path);
  if (!file) {
    // Unreadable, too large or no text: writing would lose its other lines.
    if (files.Exists(path)) {
      TraceIgnoredFailure("settings not saved: the file cannot be read, and its lines would be lost");
      return;
    }
    file.emplace();
  }
  for (const SettingRow& row : kRows) {
    const ControlHandle control = controls.*row.control;
    const std::string value =
        row.isColour ? IntegerToText(static_cast<std::int32_t>(ui.ControlColour(control)))
                     : ui.ControlText(control);
    file->Document().SetValue(row.section, row.key, value);
  }
  if (!files.ReplaceFileContent(path, file->Encode(files))) {
    TraceIgnoredFailure("settings not saved: the file cannot be replaced");
  }
}

}  // namespace zorvane

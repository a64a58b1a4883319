#include "settings/settings_file.h"

#include <array>

#include "core/text_to_integer.h"
#include "settings/ini_document.h"

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

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

std::string ConfigFilePath(std::string_view executablePath) {
  const std::size_t slash = executablePath.rfind('\\');
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view{} : executablePath.substr(0, slash);
  return std::string(folder) + std::string(kFileName);
}

void LoadSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files) {
  const std::string path = ConfigFilePath(files.ExecutablePath());
  if (!files.Exists(path)) files.CreateEmptyFile(path);
  const IniDocument file = IniDocument::Parse(files.ReadFile(path).value_or(std::string{}));
  for (const SettingRow& row : kRows) {
    const std::string text = file.Value(row.section, row.key).value_or(std::string(row.defaultText));
    const ControlHandle control = controls.*row.control;
    if (row.isColour) {
      ui.SetControlColour(control, static_cast<Colour>(TextToInteger(text)));
    } else {
      ui.SetControlText(control, text);
    }
  }
}

void SaveSettings(WindowSystem& ui, const SettingsControls& controls, FileSystem& files) {
  const std::string path = ConfigFilePath(files.ExecutablePath());
  std::optional<std::string> old = files.ReadFile(path);
  if (!old && files.Exists(path)) return;  // unreadable: writing would lose its other lines
  IniDocument file = IniDocument::Parse(old.value_or(std::string{}));
  for (const SettingRow& row : kRows) {
    const ControlHandle control = controls.*row.control;
    const std::string value =
        row.isColour ? IntegerToText(static_cast<std::int32_t>(ui.ControlColour(control)))
                     : ui.ControlText(control);
    file.SetValue(row.section, row.key, value);
  }
  files.ReplaceFileContent(path, file.Serialize());
}

}  // namespace zorvane

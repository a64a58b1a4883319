#include "settings/stage_options_reader.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/text_to_integer.h"

namespace zorvane {
namespace {

constexpr std::string_view kStage = "stage";
constexpr std::string_view kHotkeys = "hotkeys";

// The hotkeys' keys in the file, in the order of HotkeyAction.
constexpr std::array<std::string_view, kHotkeyActions> kHotkeyKeys{
    "StartStop", "Pause", "AddMinute", "SubtractMinute"};

struct NamedKey {
  std::string_view name;
  std::uint32_t code;
};

// Virtual-key codes of the keys that have a name rather than a letter or a digit.
constexpr NamedKey kNamedKeys[]{
    {"space", 0x20},    {"pageup", 0x21},   {"pgup", 0x21},      {"pagedown", 0x22},
    {"pgdn", 0x22},     {"end", 0x23},      {"home", 0x24},      {"left", 0x25},
    {"up", 0x26},       {"right", 0x27},    {"down", 0x28},      {"insert", 0x2D},
    {"ins", 0x2D},      {"delete", 0x2E},   {"del", 0x2E},       {"tab", 0x09},
    {"enter", 0x0D},    {"return", 0x0D},   {"backspace", 0x08}, {"pause", 0x13},
    {"escape", 0x1B},   {"esc", 0x1B},      {"numpad0", 0x60},   {"numpad1", 0x61},
    {"numpad2", 0x62},  {"numpad3", 0x63},  {"numpad4", 0x64},   {"numpad5", 0x65},
    {"numpad6", 0x66},  {"numpad7", 0x67},  {"numpad8", 0x68},   {"numpad9", 0x69},
};

struct NamedModifier {
  std::string_view name;
  std::uint32_t bit;
};

constexpr NamedModifier kModifiers[]{{"ctrl", KeyChord::kControl},
                                     {"control", KeyChord::kControl},
                                     {"alt", KeyChord::kAlt},
                                     {"shift", KeyChord::kShift},
                                     {"win", KeyChord::kWin}};

std::optional<std::uint32_t> KeyCode(std::string_view name) {
  if (name.size() == 1 && (std::isalnum(static_cast<unsigned char>(name[0])) != 0)) {
    return static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'f' || name[0] == 'F') &&
      std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const int number = TextToInteger(name.substr(1));
    if (number >= 1 && number <= 24) return 0x70u + static_cast<std::uint32_t>(number - 1);
    return std::nullopt;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (SameName(named.name, name)) return named.code;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ModifierBit(std::string_view name) {
  for (const NamedModifier& modifier : kModifiers) {
    if (SameName(modifier.name, name)) return modifier.bit;
  }
  return std::nullopt;
}

// "1" (or any other number but 0) switches an option on.
bool SwitchedOn(const IniDocument& file, std::string_view key) {
  const std::optional<std::string> value = file.Value(kStage, key);
  return value && TextToInteger(*value) != 0;
}

MonitorChoice ReadMonitor(const IniDocument& file) {
  const std::optional<std::string> value = file.Value(kStage, "Monitor");
  if (!value) return {};
  if (SameName(*value, "bar")) return {.followBar = true};
  const std::int32_t number = TextToInteger(*value);
  return {.number = number > 0 ? number : 0};
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text) {
  KeyChord chord;
  bool haveKey = false;
  for (;;) {
    const std::size_t plus = text.find('+');
    const std::string_view part = TrimBlanks(text.substr(0, plus));
    if (const std::optional<std::uint32_t> bit = ModifierBit(part)) {
      if ((chord.modifiers & *bit) != 0) return std::nullopt;
      chord.modifiers |= *bit;
    } else if (const std::optional<std::uint32_t> code = KeyCode(part); code && !haveKey) {
      chord.key = *code;
      haveKey = true;
    } else {
      return std::nullopt;
    }
    if (plus == std::string_view::npos) break;
    text.remove_prefix(plus + 1);
  }
  if (!haveKey) return std::nullopt;
  return chord;
}

StageOptions ReadStageOptions(const IniDocument& file) {
  StageOptions options;
  options.onTop = SwitchedOn(file, "OnTop");
  options.overtime = SwitchedOn(file, "Overtime");
  options.monitor = ReadMonitor(file);
  for (std::size_t action = 0; action < kHotkeyActions; ++action) {
    if (const std::optional<std::string> value = file.Value(kHotkeys, kHotkeyKeys[action])) {
      options.hotkeys[action] = ParseKeyChord(*value);
    }
  }
  return options;
}

}  // namespace zorvane

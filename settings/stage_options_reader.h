// The presenter's options read from the lines a user added to MyConfig.ini: [stage] and
// [hotkeys]. Read only; the program never writes these lines.
#pragma once

#include <optional>
#include <string_view>

#include "core/stage_options.h"
#include "settings/ini_document.h"

namespace zorvane {

// "Ctrl+Alt+S", "Shift+F9", "Ctrl+Alt+Up": modifiers (Ctrl or Control, Alt, Shift, Win)
// and one key (a letter, a digit, F1 to F24 or a named key such as Space, Up, PageDown),
// joined by "+", in any letter case, blanks around the parts allowed. Nothing for a text
// that names no key, names two, or repeats a modifier.
std::optional<KeyChord> ParseKeyChord(std::string_view text);

StageOptions ReadStageOptions(const IniDocument& file);

}  // namespace zorvane

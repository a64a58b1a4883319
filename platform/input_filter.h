// Which typed characters an edit box takes. Shared by both backends so they filter alike.
#pragma once

#include "platform/layout.h"

namespace zorvane {

// `code` is the character of one keystroke. Control characters (below 32: Backspace, the
// clipboard shortcuts) always pass; in integer-text mode other characters pass only if
// they are a digit or "-". Pasted text never comes through here.
constexpr bool AcceptsTypedCharacter(EditMode mode, unsigned code) {
  if (mode == EditMode::ReadOnly) return false;
  if (code < 32 || mode != EditMode::IntegerText) return true;
  return (code >= '0' && code <= '9') || code == '-';
}

}  // namespace zorvane

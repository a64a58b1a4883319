// The fuzz target's own, deliberately simple reading of an INI file's text: just enough to
// say which lines a change may touch and which names the writer can write readably. It is
// written apart from IniDocument so that a fault there is not repeated here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::fuzz {

struct TextLine {
  std::string_view text;    // without its ending
  std::string_view ending;  // "\r\n", "\n", "\r", or "" for a last line without one
  bool operator==(const TextLine&) const = default;
};

// The lines of a file: each ends at "\r\n", at a lone "\n" or at a lone "\r".
std::vector<TextLine> SplitLines(std::string_view bytes);

bool HasLineBreak(std::string_view text);

// Nothing but spaces and tabs.
bool IsBlankLine(std::string_view text);

// A "[" after the line's leading blanks and a "]" later on that is a character of its own
// in code page 936, not the second byte of a double-byte character.
bool OpensSection(std::string_view text);

// Names the writer's "[section]" and "key=value" lines give back when read: no line break,
// no blank at either end, a section name whose closing "]" is still found where it was put,
// a key name without "=" that does not start like a section line or a comment.
bool IsReadableSectionName(std::string_view name);
bool IsReadableKeyName(std::string_view name);

// Section and key names are the same when these are equal: ASCII letters compare without
// regard to case, each double-byte character of code page 936 exactly, its second byte too.
std::string NameForComparison(std::string_view name);

// Every byte from "A" to "Z" or "a" to "z" in the other case, second bytes of double-byte
// characters included: a name that is the same or not depending on where its characters are.
std::string EveryLetterCaseFlipped(std::string_view name);

// Spaces and tabs removed from both ends.
std::string_view WithoutEndBlanks(std::string_view text);

// A value as a reader returns the text after "=": without the blanks at its ends, then
// without one pair of equal quotes (" or ') around it, then no longer than `cap` bytes and
// never ending in the first byte of a double-byte character that the cap cut in two.
std::string ValueAsRead(std::string_view written, std::size_t cap);

}  // namespace zorvane::fuzz

// A Windows INI (profile) file held in memory: read values, change values, and write it all
// back with every other line exactly as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane {

// Blanks and tabs at both ends taken off, as the profile functions take them off names and
// values.
std::string_view TrimBlanks(std::string_view text);

// Names compare as Windows compares section and key names: ASCII letters without regard to
// case, every double-byte character exactly.
bool SameName(std::string_view a, std::string_view b);

class IniDocument {
 public:
  // Values longer than this are cut, as the profile functions' 10240-byte buffer does.
  static constexpr std::size_t kMaxValueLength = 10239;

  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\n", "\r" or "" (the last line of a file without one)
    // While the line holds the text it was made with, its place among the lines the
    // document was made from; nothing for a line the document has written.
    std::optional<std::size_t> source;
  };

  static IniDocument Parse(std::string_view bytes);
  // A document of lines split already (a file in another encoding, turned into code page
  // 936 line by line); their sources are their places in `lines`.
  static IniDocument FromLines(std::vector<Line> lines);

  // The value of `key` in `section` as the profile functions read it: the text after the
  // first "=" of the key's line, with blanks removed at both ends, then one pair of equal
  // quotes around it (double or single) taken off; a value longer than kMaxValueLength is
  // cut before the first character that does not fit whole. Nothing when the section or the
  // key is missing; an empty text when the key is present with nothing after "=".
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Sets the value exactly as given (a leading blank stays). An existing key's line is
  // rewritten in place; a missing key goes at the end of its section; a missing section is
  // added at the end of the file, followed by the key's line.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  std::string Serialize() const;
  const std::vector<Line>& Lines() const { return lines_; }

 private:
  std::vector<Line> lines_;
};

}  // namespace zorvane

#include "settings/ini_document.h"

#include <utility>

namespace zorvane {
namespace {

constexpr std::string_view kNewLineEnding = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The file is in the ANSI code page (936): a byte from 0x81 to 0xFE starts a two-byte
// character whose second byte may look like "]" or an ASCII letter, so names are walked a
// character at a time, as Windows reads them.
bool IsGbkLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// One pair of equal quotes around a value is not part of it, as the profile functions read
// it: Width="80" is 80. A quote alone, or quotes that differ, stay.
std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// At most `limit` bytes, cut before a double-byte character that would not fit whole.
std::string_view WholeCharactersWithin(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  for (;;) {
    const std::size_t next = end + (IsGbkLeadByte(text[end]) ? 2 : 1);
    if (next > limit) return text.substr(0, end);
    end = next;
  }
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }


// The first "]" that is a character of its own, not the second byte of a Chinese one.
std::size_t FindClosingBracket(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ']') return i;
    if (IsGbkLeadByte(text[i])) ++i;
  }
  return std::string_view::npos;
}

// What a line means to a reader. Anything that is neither a section line nor a key line
// (comments, a "[" that never closes, text without "=", binary junk) is kept but never read.
struct LineMeaning {
  enum class Kind { Foreign, Section, Key };
  Kind kind = Kind::Foreign;
  std::string_view name;   // the section's or the key's name, blanks trimmed
  std::string_view value;  // for a key: the text after the first "=", blanks trimmed
};

LineMeaning Interpret(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.starts_with('[')) {
    // Text after the "]" is ignored, so "[Main] ; display" still opens Main.
    const std::string_view inside = trimmed.substr(1);
    const std::size_t close = FindClosingBracket(inside);
    if (close == std::string_view::npos) return {};
    return {LineMeaning::Kind::Section, TrimBlanks(inside.substr(0, close)), {}};
  }
  if (trimmed.starts_with(';')) return {};
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  return {LineMeaning::Kind::Key, TrimBlanks(line.substr(0, equals)),
          TrimBlanks(line.substr(equals + 1))};
}

// A section's lines: its header and everything up to the next section line.
struct SectionLines {
  std::size_t header;
  std::size_t end;
};

// The first section of that name; the lines before the first section belong to none.
std::optional<SectionLines> FindSection(const auto& lines, std::string_view section) {
  std::optional<SectionLines> found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineMeaning meaning = Interpret(lines[i].text);
    if (meaning.kind != LineMeaning::Kind::Section) continue;
    if (found) {
      found->end = i;
      return found;
    }
    if (SameName(meaning.name, section)) found = SectionLines{i, lines.size()};
  }
  return found;
}

// The first line of the section that sets that key.
std::optional<std::size_t> FindKey(const auto& lines, SectionLines section, std::string_view key) {
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    const LineMeaning meaning = Interpret(lines[i].text);
    if (meaning.kind == LineMeaning::Kind::Key && SameName(meaning.name, key)) return i;
  }
  return std::nullopt;
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append("=").append(value);
  return line;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsGbkLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back({std::string(bytes), "", {}});
      break;
    }
    const std::size_t endingLength = bytes.substr(end).starts_with("\r\n") ? 2 : 1;
    lines.push_back(
        {std::string(bytes.substr(0, end)), std::string(bytes.substr(end, endingLength)), {}});
    bytes.remove_prefix(end + endingLength);
  }
  return FromLines(std::move(lines));
}

IniDocument IniDocument::FromLines(std::vector<Line> lines) {
  IniDocument document;
  document.lines_ = std::move(lines);
  for (std::size_t i = 0; i < document.lines_.size(); ++i) document.lines_[i].source = i;
  return document;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const std::optional<SectionLines> found = FindSection(lines_, section);
  if (!found) return std::nullopt;
  const std::optional<std::size_t> line = FindKey(lines_, *found, key);
  if (!line) return std::nullopt;
  return std::string(
      WholeCharactersWithin(WithoutQuotes(Interpret(lines_[*line].text).value), kMaxValueLength));
}

void IniDocument::SetValue(std::string_view section, std::string_view key,
                           std::string_view value) {
  // A line that gets a successor needs an ending of its own; only the file's last line can
  // lack one.
  const auto endLine = [this](std::size_t index) {
    if (lines_[index].ending.empty()) lines_[index].ending = kNewLineEnding;
  };
  const std::optional<SectionLines> found = FindSection(lines_, section);
  if (!found) {
    if (!lines_.empty()) endLine(lines_.size() - 1);
    lines_.push_back({"[" + std::string(section) + "]", std::string(kNewLineEnding), {}});
    lines_.push_back({KeyLine(key, value), std::string(kNewLineEnding), {}});
    return;
  }
  if (const std::optional<std::size_t> line = FindKey(lines_, *found, key)) {
    lines_[*line] = {KeyLine(key, value), lines_[*line].ending, {}};
    return;
  }
  // After the section's last line with content: the blank lines that separate it from the
  // next section stay where they are.
  std::size_t last = found->end - 1;
  while (last > found->header && TrimBlanks(lines_[last].text).empty()) --last;
  endLine(last);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                Line{KeyLine(key, value), std::string(kNewLineEnding), {}});
}

std::string IniDocument::Serialize() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.text.size() + line.ending.size();
  std::string bytes;
  bytes.reserve(size);
  for (const Line& line : lines_) bytes.append(line.text).append(line.ending);
  return bytes;
}

}  // namespace zorvane

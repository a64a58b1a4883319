#include "tests/fuzz/ini_text_model.h"

#include <algorithm>

namespace zorvane::fuzz {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDoubleByteLead(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// Where the first "]" that stands as a character of its own is, or the text's size.
std::size_t StandaloneBracketAt(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] != ']') at += IsDoubleByteLead(text[at]) ? 2 : 1;
  return std::min(at, text.size());
}

bool HasBlankAtAnEnd(std::string_view name) {
  return !name.empty() && (IsBlank(name.front()) || IsBlank(name.back()));
}

}  // namespace

std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] != '\r' && bytes[at] != '\n') {
      ++at;
      continue;
    }
    const bool crlf = bytes.substr(at, 2) == "\r\n";
    const std::size_t next = at + (crlf ? 2 : 1);
    lines.push_back({bytes.substr(start, at - start), bytes.substr(at, next - at)});
    start = at = next;
  }
  if (start < bytes.size()) lines.push_back({bytes.substr(start), {}});
  return lines;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

bool IsBlankLine(std::string_view text) { return std::all_of(text.begin(), text.end(), IsBlank); }

bool OpensSection(std::string_view text) {
  const std::string_view trimmed = WithoutEndBlanks(text);
  if (!trimmed.starts_with('[')) return false;
  const std::string_view inside = trimmed.substr(1);
  return StandaloneBracketAt(inside) < inside.size();
}

bool IsReadableSectionName(std::string_view name) {
  if (HasLineBreak(name) || HasBlankAtAnEnd(name)) return false;
  const std::string header = std::string(name) + "]";
  return StandaloneBracketAt(header) == name.size();
}

bool IsReadableKeyName(std::string_view name) {
  if (HasLineBreak(name) || HasBlankAtAnEnd(name)) return false;
  if (name.starts_with('[') || name.starts_with(';')) return false;
  return name.find('=') == name.npos;
}

std::string NameForComparison(std::string_view name) {
  std::string comparable(name);
  for (std::size_t at = 0; at < comparable.size(); ++at) {
    if (IsDoubleByteLead(comparable[at])) {
      ++at;  // the pair stays exactly as it is
    } else if (comparable[at] >= 'A' && comparable[at] <= 'Z') {
      comparable[at] = static_cast<char>(comparable[at] - 'A' + 'a');
    }
  }
  return comparable;
}

std::string EveryLetterCaseFlipped(std::string_view name) {
  std::string flipped(name);
  for (char& c : flipped) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) c = static_cast<char>(c ^ 0x20);
  }
  return flipped;
}

std::string_view WithoutEndBlanks(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  return first < last ? std::string_view(first, last) : std::string_view();
}

std::string ValueAsRead(std::string_view written, std::size_t cap) {
  std::string_view value = WithoutEndBlanks(written);
  const bool quoted = value.size() > 1 && (value[0] == '"' || value[0] == '\'') &&
                      value[value.size() - 1] == value[0];
  if (quoted) value = value.substr(1, value.size() - 2);
  if (value.size() <= cap) return std::string(value);
  // The places where characters start; the cut is the last of them that leaves a whole
  // character before it.
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < value.size(); at += IsDoubleByteLead(value[at]) ? 2 : 1) {
    starts.push_back(at);
  }
  starts.push_back(value.size());
  std::size_t cut = 0;
  for (const std::size_t start : starts) {
    if (start <= cap) cut = start;
  }
  return std::string(value.substr(0, cut));
}

}  // namespace zorvane::fuzz

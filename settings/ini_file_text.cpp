#include "settings/ini_file_text.h"

#include <utility>

namespace zorvane {
namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

std::u16string Utf16Units(std::string_view littleEndian) {
  std::u16string units(littleEndian.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(littleEndian[2 * i]) |
                                     static_cast<unsigned char>(littleEndian[2 * i + 1]) << 8);
  }
  return units;
}

void AppendLittleEndian(std::string& bytes, std::u16string_view units) {
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
}

// The ending that follows `text` at `end` ("\r\n", "\r" or "\n"), in ASCII.
std::string EndingAt(std::u16string_view text, std::size_t end) {
  if (text.substr(end).starts_with(u"\r\n")) return "\r\n";
  return text[end] == u'\r' ? "\r" : "\n";
}

}  // namespace

std::optional<IniFileText> IniFileText::Decode(std::string_view bytes,
                                               const FileSystem& codePage) {
  IniFileText file;
  if (!bytes.starts_with(kUtf16Mark)) {
    file.document_ = IniDocument::Parse(bytes);
    return file;
  }
  bytes.remove_prefix(kUtf16Mark.size());
  if (bytes.size() % 2 != 0) return std::nullopt;
  file.utf16_ = true;
  const std::u16string units = Utf16Units(bytes);
  // Lines end where IniDocument::Parse ends them: at "\r\n", a lone "\r" or a lone "\n".
  std::vector<IniDocument::Line> lines;
  std::u16string_view rest = units;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of(u"\r\n");
    const std::u16string_view text = rest.substr(0, end);
    std::string ending = end == std::u16string_view::npos ? "" : EndingAt(rest, end);
    lines.push_back({codePage.AnsiFromUtf16(text), ending, {}});
    file.linesRead_.emplace_back(text);
    rest.remove_prefix(text.size() + ending.size());
  }
  file.document_ = IniDocument::FromLines(std::move(lines));
  return file;
}

std::string IniFileText::Encode(const FileSystem& codePage) const {
  if (!utf16_) return document_.Serialize();
  std::string bytes(kUtf16Mark);
  for (const IniDocument::Line& line : document_.Lines()) {
    if (line.source) {
      AppendLittleEndian(bytes, linesRead_[*line.source]);
    } else {
      AppendLittleEndian(bytes, codePage.Utf16FromAnsi(line.text));
    }
    AppendLittleEndian(bytes, std::u16string(line.ending.begin(), line.ending.end()));
  }
  return bytes;
}

}  // namespace zorvane

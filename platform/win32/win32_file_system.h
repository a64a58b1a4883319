// Files on kernel32, through the wide functions so that a path in any language works. A
// replacement is written to a new file beside the old one, flushed, and moved over it.
#pragma once

#include "platform/file_system.h"

namespace zorvane::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::string ExecutablePath() const override;
  bool Exists(std::string_view path) const override;
  bool CreateEmptyFile(std::string_view path) override;
  std::optional<std::string> ReadFile(std::string_view path, std::size_t sizeLimit) const override;
  bool ReplaceFileContent(std::string_view path, std::string_view content) override;
  // Code page 936, by the system's own tables.
  std::string AnsiFromUtf16(std::u16string_view text) const override;
  std::u16string Utf16FromAnsi(std::string_view text) const override;
};

}  // namespace zorvane::win32

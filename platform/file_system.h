// The few file operations the program needs: where the executable lives, whether a name
// exists, creating an empty file, reading a whole file and replacing one in a single step;
// and the code page of the program's texts, for files saved as Unicode.
// Paths are UTF-8 (any Unicode path works, and a backslash byte is always a separator).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorvane {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The executable's full path, such as "C:\Tools\Zorvane.exe".
  virtual std::string ExecutablePath() const = 0;
  // True when a file or a directory of that name exists.
  virtual bool Exists(std::string_view path) const = 0;
  // Creates an empty file (zero bytes); false when it cannot or when the name is taken: an
  // existing file is never emptied.
  virtual bool CreateEmptyFile(std::string_view path) = 0;
  // The whole content of a file; nothing when it cannot be read (missing, a directory, ...)
  // or when it holds more than `sizeLimit` bytes, which are then never read into memory.
  virtual std::optional<std::string> ReadFile(std::string_view path,
                                              std::size_t sizeLimit) const = 0;
  // Replaces (or creates) the file with `content` in one step: the new content is written
  // beside it first, so a failure at any point leaves the old file exactly as it was.
  virtual bool ReplaceFileContent(std::string_view path, std::string_view content) = 0;

  // Between UTF-16 and the code page of the program's texts (936). A character the code page
  // lacks becomes "?", as Windows makes it.
  virtual std::string AnsiFromUtf16(std::u16string_view text) const = 0;
  virtual std::u16string Utf16FromAnsi(std::string_view text) const = 0;
};

}  // namespace zorvane

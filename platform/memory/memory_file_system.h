// The file system in memory: files and folders in a map, named as Windows names them ("\" or
// "/" between the names, ASCII letters in any case). Tests set up the folder the program
// runs from, make folders and files read-only, and read back what the program wrote.
//
// Every call may come from any thread.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace zorvane::memory {

class MemoryFileSystem : public FileSystem {
 public:
  // Starts with the executable "C:\Zorvane\Zorvane.exe" in its folder.
  MemoryFileSystem();

  std::string ExecutablePath() const override;
  bool Exists(std::string_view path) const override;
  // Like the real one, it fails on a file or a directory that exists (leaving it as it is)
  // and in a missing or read-only folder.
  bool CreateEmptyFile(std::string_view path) override;
  std::optional<std::string> ReadFile(std::string_view path, std::size_t sizeLimit) const override;
  bool ReplaceFileContent(std::string_view path, std::string_view content) override;
  // The twin holds no table of code page 936: it converts ASCII, which is the same in both,
  // and makes every other UTF-16 unit "?", as Windows does with a character the code page
  // lacks. Text in Chinese is converted by the real tables, in the tests under Wine.
  std::string AnsiFromUtf16(std::u16string_view text) const override;
  std::u16string Utf16FromAnsi(std::string_view text) const override;

  // --- The environment a test sets up ---------------------------------------------------
  // The executable's path; its folders and the executable itself come to exist.
  void SetExecutablePath(std::string_view path);
  // The folder and every folder above it.
  void AddDirectory(std::string_view path);
  // A file with that content, made with its folders whatever the folders' state: the state
  // of the disk before the program starts.
  void AddFile(std::string_view path, std::string_view content);
  // While a folder is read-only, no file can be created or replaced in it; its files can
  // still be read.
  void SetFolderReadOnly(std::string_view folder, bool readOnly = true);
  // A file with the read-only attribute: it can be read but not replaced.
  void SetFileReadOnly(std::string_view path);

  // --- What a test reads back -----------------------------------------------------------
  // The content of a file, even an unreadable one; nothing for a directory or no file.
  std::optional<std::string> FileContent(std::string_view path) const;
  // The names in a folder, in lower case, as a listing of it shows them: a replacement
  // leaves no file of its own behind.
  std::vector<std::string> NamesIn(std::string_view folder) const;
  // How many times ReplaceFileContent has succeeded.
  int ReplacementCount() const;

 protected:
  // One key for every spelling Windows treats as the same name: either slash, any case of
  // ASCII letters (UTF-8 bytes of other characters are never letters), no trailing slash.
  static std::string LookupKey(std::string_view path);
  // Whether a file of that name could be created or replaced now.
  bool MayWrite(std::string_view path) const;

 private:
  struct Entry {
    bool isDirectory = false;
    bool readOnly = false;  // a folder: nothing written in it; a file: not replaced
    std::string content;
  };

  void AddDirectoryLocked(const std::string& key);
  bool WritableLocked(const std::string& key) const;
  // The file's entry, when the file may be written now; nothing when it may not.
  Entry* WritableFileLocked(const std::string& key);

  mutable std::mutex mutex_;
  std::string executablePath_;
  std::map<std::string, Entry> entries_;  // by the path's lookup key
  int replacements_ = 0;
};

}  // namespace zorvane::memory

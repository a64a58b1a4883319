// The twin's file system with the faults a test asks for: writes that fail midway, a file
// another program holds open, a name the existence test cannot see.
#pragma once

#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "platform/memory/memory_file_system.h"

namespace zorvane::support {

class FaultyFileSystem final : public memory::MemoryFileSystem {
 public:
  bool Exists(std::string_view path) const override;
  bool CreateEmptyFile(std::string_view path) override;
  std::optional<std::string> ReadFile(std::string_view path, std::size_t sizeLimit) const override;
  bool ReplaceFileContent(std::string_view path, std::string_view content) override;

  // The next `count` creations or replacements that could go through fail midway: what
  // was written of the new content is thrown away and the file keeps its old content.
  void FailNextWrites(int count);
  // While a file is unreadable (held open by another program), ReadFile fails on it.
  void SetUnreadable(std::string_view path, bool unreadable = true);
  // Exists reports the file missing, as a name search does for names it cannot search (a
  // long-path name, a folder that cannot be listed); every other call still finds it.
  void HideFromExistenceTest(std::string_view path);

 private:
  // Whether this write is one of the failures asked for (and takes it).
  bool TakeFailure(std::string_view path);

  mutable std::mutex mutex_;
  int failingWrites_ = 0;
  std::set<std::string> unreadable_;  // by lookup key
  std::set<std::string> hidden_;
};

}  // namespace zorvane::support

#include "tests/support/faulty_file_system.h"

namespace zorvane::support {

using Lock = std::lock_guard<std::mutex>;

bool FaultyFileSystem::Exists(std::string_view path) const {
  {
    Lock lock(mutex_);
    if (hidden_.contains(LookupKey(path))) return false;
  }
  return MemoryFileSystem::Exists(path);
}

bool FaultyFileSystem::CreateEmptyFile(std::string_view path) {
  return !TakeFailure(path) && MemoryFileSystem::CreateEmptyFile(path);
}

std::optional<std::string> FaultyFileSystem::ReadFile(std::string_view path,
                                                      std::size_t sizeLimit) const {
  {
    Lock lock(mutex_);
    if (unreadable_.contains(LookupKey(path))) return std::nullopt;
  }
  return MemoryFileSystem::ReadFile(path, sizeLimit);
}

bool FaultyFileSystem::ReplaceFileContent(std::string_view path, std::string_view content) {
  return !TakeFailure(path) && MemoryFileSystem::ReplaceFileContent(path, content);
}

void FaultyFileSystem::FailNextWrites(int count) {
  Lock lock(mutex_);
  failingWrites_ = count;
}

void FaultyFileSystem::SetUnreadable(std::string_view path, bool unreadable) {
  Lock lock(mutex_);
  if (unreadable) {
    unreadable_.insert(LookupKey(path));
  } else {
    unreadable_.erase(LookupKey(path));
  }
}

void FaultyFileSystem::HideFromExistenceTest(std::string_view path) {
  Lock lock(mutex_);
  hidden_.insert(LookupKey(path));
}

bool FaultyFileSystem::TakeFailure(std::string_view path) {
  Lock lock(mutex_);
  if (failingWrites_ == 0 || !MayWrite(path)) return false;
  --failingWrites_;
  return true;
}

}  // namespace zorvane::support

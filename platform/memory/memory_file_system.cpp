#include "platform/memory/memory_file_system.h"

namespace zorvane::memory {
namespace {

using Lock = std::lock_guard<std::mutex>;

// The folder a key names a file in; empty for a name without one.
std::string ParentKey(const std::string& key) {
  const std::size_t separator = key.rfind('\\');
  return separator == std::string::npos ? std::string() : key.substr(0, separator);
}

}  // namespace

std::string MemoryFileSystem::LookupKey(std::string_view path) {
  std::string key;
  key.reserve(path.size());
  for (const char c : path) {
    if (c == '/') {
      key.push_back('\\');
    } else if (c >= 'A' && c <= 'Z') {
      key.push_back(static_cast<char>(c - 'A' + 'a'));
    } else {
      key.push_back(c);
    }
  }
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

MemoryFileSystem::MemoryFileSystem() { SetExecutablePath("C:\\Zorvane\\Zorvane.exe"); }

std::string MemoryFileSystem::ExecutablePath() const {
  Lock lock(mutex_);
  return executablePath_;
}

bool MemoryFileSystem::Exists(std::string_view path) const {
  // A name search finds nothing for a name that ends in a separator, a folder's included.
  if (path.ends_with('\\') || path.ends_with('/')) return false;
  Lock lock(mutex_);
  const auto found = entries_.find(LookupKey(path));
  return found != entries_.end();
}

bool MemoryFileSystem::CreateEmptyFile(std::string_view path) {
  Lock lock(mutex_);
  const std::string key = LookupKey(path);
  const bool taken = entries_.contains(key);
  // As on Windows, creating never empties a file that is there: it fails and leaves it.
  return WritableFileLocked(key) != nullptr && !taken;
}

std::optional<std::string> MemoryFileSystem::ReadFile(std::string_view path,
                                                      std::size_t sizeLimit) const {
  Lock lock(mutex_);
  const auto found = entries_.find(LookupKey(path));
  if (found == entries_.end() || found->second.isDirectory ||
      found->second.content.size() > sizeLimit) {
    return std::nullopt;
  }
  return found->second.content;
}

bool MemoryFileSystem::ReplaceFileContent(std::string_view path, std::string_view content) {
  Lock lock(mutex_);
  Entry* file = WritableFileLocked(LookupKey(path));
  if (file == nullptr) return false;
  file->content = std::string(content);
  ++replacements_;
  return true;
}

std::string MemoryFileSystem::AnsiFromUtf16(std::u16string_view text) const {
  std::string ansi;
  ansi.reserve(text.size());
  // Each half of a surrogate pair is a "?" of its own, as the code page's conversion makes it.
  for (const char16_t unit : text) ansi.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return ansi;
}

std::u16string MemoryFileSystem::Utf16FromAnsi(std::string_view text) const {
  std::u16string utf16;
  utf16.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    utf16.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : u'?');
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) ++i;  // a double-byte character
  }
  return utf16;
}

void MemoryFileSystem::SetExecutablePath(std::string_view path) {
  Lock lock(mutex_);
  executablePath_ = std::string(path);
  const std::string key = LookupKey(path);
  AddDirectoryLocked(ParentKey(key));
  entries_[key] = Entry{};
}

void MemoryFileSystem::AddDirectory(std::string_view path) {
  Lock lock(mutex_);
  AddDirectoryLocked(LookupKey(path));
}

void MemoryFileSystem::AddFile(std::string_view path, std::string_view content) {
  Lock lock(mutex_);
  const std::string key = LookupKey(path);
  AddDirectoryLocked(ParentKey(key));
  entries_[key] = Entry{.content = std::string(content)};
}

void MemoryFileSystem::SetFolderReadOnly(std::string_view folder, bool readOnly) {
  Lock lock(mutex_);
  const std::string key = LookupKey(folder);
  AddDirectoryLocked(key);
  entries_[key].readOnly = readOnly;
}

void MemoryFileSystem::SetFileReadOnly(std::string_view path) {
  Lock lock(mutex_);
  entries_[LookupKey(path)].readOnly = true;
}

std::vector<std::string> MemoryFileSystem::NamesIn(std::string_view folder) const {
  Lock lock(mutex_);
  const std::string key = LookupKey(folder);
  std::vector<std::string> names;
  for (const auto& [entry, unused] : entries_) {
    if (ParentKey(entry) == key) names.push_back(entry.substr(key.size() + 1));
  }
  return names;
}

std::optional<std::string> MemoryFileSystem::FileContent(std::string_view path) const {
  Lock lock(mutex_);
  const auto found = entries_.find(LookupKey(path));
  if (found == entries_.end() || found->second.isDirectory) return std::nullopt;
  return found->second.content;
}

int MemoryFileSystem::ReplacementCount() const {
  Lock lock(mutex_);
  return replacements_;
}

void MemoryFileSystem::AddDirectoryLocked(const std::string& key) {
  for (std::string folder = key; !folder.empty(); folder = ParentKey(folder)) {
    Entry& entry = entries_[folder];
    entry.isDirectory = true;
    entry.content.clear();
  }
}

bool MemoryFileSystem::WritableLocked(const std::string& key) const {
  const auto folder = entries_.find(ParentKey(key));
  if (folder == entries_.end() || !folder->second.isDirectory || folder->second.readOnly) {
    return false;
  }
  const auto existing = entries_.find(key);
  return existing == entries_.end() ||
         !(existing->second.isDirectory || existing->second.readOnly);
}

MemoryFileSystem::Entry* MemoryFileSystem::WritableFileLocked(const std::string& key) {
  return WritableLocked(key) ? &entries_[key] : nullptr;
}

bool MemoryFileSystem::MayWrite(std::string_view path) const {
  Lock lock(mutex_);
  return WritableLocked(LookupKey(path));
}

}  // namespace zorvane::memory

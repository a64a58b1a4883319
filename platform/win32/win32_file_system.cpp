#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "platform/win32/scoped.h"
#include "platform/win32/text_conversion.h"

namespace zorvane::win32 {
namespace {

// The longest path the wide functions accept, in UTF-16 units, with its terminator.
constexpr DWORD kLongestPath = 32768;
// Reads and writes go in pieces of this size, well inside a DWORD.
constexpr DWORD kTransferPiece = 1 << 20;
// Attempts at a free name for the new file before giving up.
constexpr int kTemporaryNameAttempts = 100;

// A number in decimal digits, without std::to_wstring, which brings a whole wide printf
// into the program.
std::wstring Decimal(unsigned long value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

// A path for the wide functions, or nothing for text that is not UTF-8 or that holds a NUL
// (the name would end early there): a bad path fails instead of naming another file.
std::optional<std::wstring> WidePath(std::string_view utf8) {
  if (utf8.empty() || utf8.find('\0') != std::string_view::npos) return std::nullopt;
  return Utf8ToWide(utf8);
}

// CreateFileW reports failure as INVALID_HANDLE_VALUE, which is not null (it is the value
// of the current process's pseudo-handle), so the owner is left empty then.
ScopedHandle OpenFile(const std::wstring& path, DWORD access, DWORD sharing, DWORD disposition) {
  const HANDLE handle = CreateFileW(path.c_str(), access, sharing, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  return ScopedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Windows does not replace a read-only file. Wine 8 lets MoveFileExW rename a new file over
// one, so the attribute is checked here and a user's read-only settings file stays as it is
// on both.
bool IsReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The last component of a path: the name a search looks for. The folders before it may hold
// a "?", as the long-path prefix "\\?\" does.
std::string_view LastComponent(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

struct FindCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};
using ScopedFind = std::unique_ptr<void, FindCloser>;

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(content.size(), kTransferPiece));
    DWORD written = 0;
    if (!::WriteFile(file, content.data(), piece, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

// The whole file, or nothing when it is a directory or holds more than `sizeLimit` bytes:
// such a file is never taken into memory, where a 32-bit process could not hold it.
std::optional<std::string> ReadAll(HANDLE file, std::size_t sizeLimit) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(file, &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  const std::uint64_t size =
      (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow;
  std::string content;
  if (size > sizeLimit || size > content.max_size()) return std::nullopt;
  try {
    content.reserve(static_cast<std::size_t>(size));
    // Read to the end rather than trusting the size: the file may grow or shrink meanwhile.
    std::string piece(kTransferPiece, '\0');
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file, piece.data(), kTransferPiece, &read, nullptr)) return std::nullopt;
      if (read == 0) return content;
      if (read > sizeLimit - content.size()) return std::nullopt;  // it grew past the limit
      content.append(piece, 0, read);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // larger than this 32-bit process can hold
  }
}

// A new file beside the one it will replace (the same folder, so the move is a rename on one
// volume). Unless it has taken the other's place, it is closed and deleted on destruction.
class TemporarySibling {
 public:
  explicit TemporarySibling(const std::wstring& target) {
    static std::atomic<unsigned> sequence{0};
    const std::wstring stem = target + L"." + Decimal(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      std::wstring candidate = stem + Decimal(++sequence) + L".new";
      handle_ = OpenFile(candidate, GENERIC_WRITE, 0, CREATE_NEW);
      if (handle_) {
        path_ = std::move(candidate);
        return;
      }
      if (GetLastError() != ERROR_FILE_EXISTS) return;  // the folder refuses new files
    }
  }
  ~TemporarySibling() {
    handle_.reset();
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TemporarySibling(const TemporarySibling&) = delete;
  TemporarySibling& operator=(const TemporarySibling&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }

  bool WriteDurably(std::string_view content) {
    return WriteAll(handle_.get(), content) && FlushFileBuffers(handle_.get());
  }

  // Closes the file and renames it over the target in one step.
  bool MoveOver(const std::wstring& target) {
    handle_.reset();
    if (!MoveFileExW(path_.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return false;
    }
    path_.clear();
    return true;
  }

 private:
  std::wstring path_;
  ScopedHandle handle_;
};

}  // namespace

std::string Win32FileSystem::ExecutablePath() const {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const auto capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      buffer.resize(length);
      return WideToUtf8(buffer);
    }
    // The path was cut to fit (with ERROR_INSUFFICIENT_BUFFER or without, depending on the
    // Windows version): ask again with more room.
    if (capacity >= kLongestPath) return {};
    buffer.resize(static_cast<std::size_t>(capacity) * 2);
  }
}

bool Win32FileSystem::Exists(std::string_view path) const {
  // FindFirstFileW would take "*" and "?" in the name as a pattern; no real name holds them.
  if (LastComponent(path).find_first_of("*?") != std::string_view::npos) return false;
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath) return false;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(widePath->c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  const ScopedFind closer(search);
  return true;
}

bool Win32FileSystem::CreateEmptyFile(std::string_view path) {
  // CREATE_NEW: a file that is there already is never emptied, even when the existence test
  // before this call could not see it.
  const std::optional<std::wstring> widePath = WidePath(path);
  return widePath && OpenFile(*widePath, GENERIC_WRITE, 0, CREATE_NEW) != nullptr;
}

std::optional<std::string> Win32FileSystem::ReadFile(std::string_view path,
                                                     std::size_t sizeLimit) const {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath) return std::nullopt;
  const ScopedHandle file =
      OpenFile(*widePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file) return std::nullopt;
  return ReadAll(file.get(), sizeLimit);
}

bool Win32FileSystem::ReplaceFileContent(std::string_view path, std::string_view content) {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath || IsReadOnly(*widePath)) return false;
  TemporarySibling replacement(*widePath);
  return replacement.IsOpen() && replacement.WriteDurably(content) &&
         replacement.MoveOver(*widePath);
}

std::string Win32FileSystem::AnsiFromUtf16(std::u16string_view text) const {
  // wchar_t is a UTF-16 unit on Windows: the units are copied as they are.
  return WideToGbk(std::wstring(text.begin(), text.end()));
}

std::u16string Win32FileSystem::Utf16FromAnsi(std::string_view text) const {
  const std::wstring wide = GbkToWide(text);
  return {wide.begin(), wide.end()};
}

}  // namespace zorvane::win32

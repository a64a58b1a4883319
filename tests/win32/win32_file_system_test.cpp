// What the real file functions do beyond the contract they share with the twin
// (tests/contract), under Wine in a fresh folder of their own: the executable's own path,
// long-path names, names that are not UTF-8, and names in Chinese.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>
#include <string>

namespace zorvane::win32 {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;  // for texts with NUL bytes

std::string Utf8(std::u8string_view text) { return {text.begin(), text.end()}; }

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    ASSERT_GT(length, 0u);
    folder = fs::path(std::wstring(temporary, length)) /
             (L"zorvane-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount()));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }

  void TearDown() override {
    // Read-only files cannot be deleted until they are writable again.
    std::error_code error;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, error)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder, error);
    EXPECT_FALSE(fs::exists(folder)) << "the test folder is left behind";
  }

  // The UTF-8 path of a name in the test folder, made without the code under test.
  std::string PathOf(const fs::path& name) const { return Utf8((folder / name).u8string()); }

  // Every name in the test folder, to see that nothing else was left there.
  std::set<std::wstring> Names() const {
    std::set<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().wstring());
    }
    return names;
  }

  void Put(const fs::path& name, std::string_view content) {
    const HANDLE file = CreateFileW((folder / name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
                              nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == content.size());
  }

  fs::path folder;
  Win32FileSystem files;
};

const std::set<std::wstring> kJustTheConfig{L"MyConfig.ini"};
// Reads that are not about the size limit.
constexpr std::size_t kAnySize = std::numeric_limits<std::size_t>::max();

TEST_F(Win32FileSystemTest, ExecutablePathNamesThisTestProgram) {
  std::string path = files.ExecutablePath();
  EXPECT_TRUE(files.Exists(path)) << path;
  std::transform(path.begin(), path.end(), path.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  EXPECT_TRUE(path.ends_with("\\win32_tests.exe")) << path;
}

// A program started through a long-path name ("\\?\C:\...") finds its folder named that
// way; the "?" of the prefix is no pattern, and the settings file there is found and kept.
TEST_F(Win32FileSystemTest, LongPathNamesAreFoundAndTheirFilesKept) {
  const auto longPath = [](const std::string& path) { return "\\\\?\\" + path; };
  const std::string config = longPath(PathOf(L"MyConfig.ini"));
  Put(L"MyConfig.ini", "[Main]\r\nWidth=90\r\n");
  EXPECT_TRUE(files.Exists(config)) << config;
  EXPECT_TRUE(files.Exists(longPath(Utf8(folder.u8string()))));
  EXPECT_FALSE(files.Exists(longPath(PathOf(L"Missing.ini"))));
  EXPECT_FALSE(files.Exists(longPath(PathOf(L"MyConfig.in?"))));

  EXPECT_FALSE(files.CreateEmptyFile(config));
  EXPECT_EQ(files.ReadFile(config, kAnySize), "[Main]\r\nWidth=90\r\n");
  EXPECT_EQ(Names(), kJustTheConfig);
}

// Bytes that are not UTF-8 name no file at all.
TEST_F(Win32FileSystemTest, APathThatIsNotUtf8NamesNoFile) {
  ASSERT_TRUE(CreateDirectoryW((folder / L"Folder").c_str(), nullptr));
  EXPECT_EQ(files.ReadFile(PathOf(L"Folder") + "\\\xC0\xAF", kAnySize), std::nullopt);
}

TEST_F(Win32FileSystemTest, ChineseNamesAreUtf8) {
  const fs::path chinese = L"设置测试";
  ASSERT_TRUE(CreateDirectoryW((folder / chinese).c_str(), nullptr));
  const std::string config = Utf8((folder / chinese).u8string() + u8"\\MyConfig.ini");

  EXPECT_TRUE(files.Exists(Utf8((folder / chinese).u8string())));
  ASSERT_TRUE(files.CreateEmptyFile(config));
  ASSERT_TRUE(files.ReplaceFileContent(config, "Width=120"));
  EXPECT_EQ(files.ReadFile(config, kAnySize), "Width=120");
  EXPECT_EQ(fs::file_size(folder / chinese / L"MyConfig.ini"), 9u);

  // The same name in the ANSI code page (936 here) is not a name these functions take.
  EXPECT_FALSE(files.Exists(PathOf(L"") + "设置测试"));

  ASSERT_TRUE(files.ReplaceFileContent(Utf8((folder / chinese / L"说明.ini").u8string()), "x"));
  EXPECT_TRUE(fs::exists(folder / chinese / L"说明.ini"));
}

}  // namespace
}  // namespace zorvane::win32

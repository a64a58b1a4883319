// The settings file's reader against the system's own profile functions, which are the
// reference for what a hand-edited file means: quotes, Chinese text, long values, and files
// saved as "Unicode" (UTF-16LE with a byte-order mark), read and written back through the
// real code page 936 tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_file_system.h"
#include "settings/ini_document.h"
#include "settings/ini_file_text.h"

namespace zorvane {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kProfileBuffer = IniDocument::kMaxValueLength + 1;

class ProfileReferenceTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteFileW(file.c_str()); }

  std::string Path() const {
    const std::u8string utf8 = file.u8string();
    return {utf8.begin(), utf8.end()};
  }
  // The path in the ANSI code page, for the profile functions' "A" forms (a temporary
  // folder's name is ASCII here).
  std::string AnsiPath() const { return file.string(); }

  void Put(std::string_view bytes) { ASSERT_TRUE(files.ReplaceFileContent(Path(), bytes)); }
  std::string Bytes() const { return files.ReadFile(Path(), 1 << 20).value_or("<unreadable>"); }

  // What the profile functions read, with the default "<none>" for a missing key.
  std::string ProfileValue(const char* section, const char* key) const {
    // The text up to its terminator: a value cut to the buffer is counted as the whole buffer.
    std::vector<char> buffer(kProfileBuffer);
    GetPrivateProfileStringA(section, key, "<none>", buffer.data(), kProfileBuffer,
                             AnsiPath().c_str());
    return buffer.data();
  }
  std::string OwnValue(const IniDocument& document, const char* section, const char* key) const {
    return document.Value(section, key).value_or("<none>");
  }

  const fs::path file = fs::temp_directory_path() /
                        (L"zorvane-profile-" + std::to_wstring(GetCurrentProcessId()) + L".ini");
  win32::Win32FileSystem files;
};

// A file saved as "Unicode": the byte-order mark, then the UTF-16 units (which wchar_t holds
// here) in their little-endian bytes.
std::string Utf16File(std::wstring_view text) {
  return "\xFF\xFE" +
         std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST_F(ProfileReferenceTest, ValuesReadAsTheProfileFunctionsReadThem) {
  const std::vector<std::string> values = {
      "\"80\"", "'80'", "  \" 80 \"  ", "\"80", "80\"", "\"", "\"\"", "\"a'", "\"a\"b\"",
      "中文", "\"中文\"", "'宽'", std::string(IniDocument::kMaxValueLength - 2, '7') + "中文",
  };
  for (const std::string& value : values) {
    Put("[Main]\r\nWidth=" + value + "\r\n");
    EXPECT_EQ(OwnValue(IniDocument::Parse(Bytes()), "Main", "Width"),
              ProfileValue("Main", "Width"))
        << value.substr(0, 40);
  }
}

TEST_F(ProfileReferenceTest, AUtf16FileReadsAsTheProfileFunctionsReadItAndStaysUtf16) {
  const std::wstring comment = L"; \u8BBE\u7F6E \U0001F600";
  Put(Utf16File(comment + L"\r\n[Main]\r\nWidth=\"\uFF18\uFF10\"\r\n\u540D\u5B57=\u4E2D\u6587\r\n"));
  std::optional<IniFileText> text = IniFileText::Decode(Bytes(), files);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(OwnValue(text->Document(), "Main", "Width"), "８０");
  EXPECT_EQ(OwnValue(text->Document(), "Main", "Width"), ProfileValue("Main", "Width"));
  EXPECT_EQ(OwnValue(text->Document(), "Main", "名字"), ProfileValue("Main", "名字"));

  text->Document().SetValue("Main", "Width", "宽90");
  text->Document().SetValue("color", "bgc", "255");
  Put(text->Encode(files));
  const std::string saved = Bytes();
  EXPECT_TRUE(saved.starts_with(Utf16File(comment + L"\r\n[Main]\r\nWidth=\u5BBD90\r\n")));
  EXPECT_EQ(ProfileValue("Main", "Width"), "宽90");
  EXPECT_EQ(ProfileValue("Main", "名字"), "中文");
  EXPECT_EQ(ProfileValue("color", "bgc"), "255");
}

}  // namespace
}  // namespace zorvane

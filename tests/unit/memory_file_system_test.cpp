// The file system in memory must fail where the real one fails, and a failed write must
// leave the old file as it was, or tests of the settings file would prove nothing.
#include "platform/memory/memory_file_system.h"

#include <gtest/gtest.h>

#include <limits>

namespace zorvane::memory {
namespace {

constexpr std::string_view kConfig = "C:\\Zorvane\\MyConfig.ini";
// Reads that are not about the size limit.
constexpr std::size_t kAnySize = std::numeric_limits<std::size_t>::max();

TEST(MemoryFileSystem, StartsWithTheExecutableInItsFolder) {
  MemoryFileSystem files;
  EXPECT_EQ(files.ExecutablePath(), "C:\\Zorvane\\Zorvane.exe");
  EXPECT_TRUE(files.Exists("C:\\Zorvane"));
  EXPECT_TRUE(files.Exists("C:\\Zorvane\\Zorvane.exe"));
  EXPECT_FALSE(files.Exists(kConfig));

  files.SetExecutablePath("D:\\Tools\\Deep\\Timer.exe");
  EXPECT_EQ(files.ExecutablePath(), "D:\\Tools\\Deep\\Timer.exe");
  EXPECT_TRUE(files.Exists("D:\\Tools"));
  EXPECT_TRUE(files.CreateEmptyFile("D:\\Tools\\Deep\\MyConfig.ini"));
}

TEST(MemoryFileSystem, NamesMatchWhateverTheCaseOfLettersAndTheSlashes) {
  MemoryFileSystem files;
  ASSERT_TRUE(files.ReplaceFileContent(kConfig, "x"));
  EXPECT_TRUE(files.Exists("c:/zorvane/myconfig.INI"));
  EXPECT_EQ(files.ReadFile("C:\\ZORVANE\\MyConfig.ini", kAnySize), "x");
  EXPECT_TRUE(files.Exists("C:\\Zorvane\\"));
  EXPECT_FALSE(files.Exists("C:\\Zorvane\\MyConfig.ini.bak"));
}

TEST(MemoryFileSystem, CreatingAndReplacingKeepEveryByte) {
  MemoryFileSystem files;
  ASSERT_TRUE(files.ReplaceFileContent(kConfig, std::string("a\0b\r\rc", 6)));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), std::string("a\0b\r\rc", 6));
  EXPECT_EQ(files.ReplacementCount(), 1);
}

TEST(MemoryFileSystem, CreatingMakesAnEmptyFileButNeverEmptiesOne) {
  MemoryFileSystem files;
  ASSERT_TRUE(files.CreateEmptyFile(kConfig));
  EXPECT_EQ(files.FileContent(kConfig), "");
  ASSERT_TRUE(files.ReplaceFileContent(kConfig, "kept"));
  EXPECT_FALSE(files.CreateEmptyFile(kConfig));
  EXPECT_EQ(files.FileContent(kConfig), "kept");

  // Even a file the existence test cannot see is found by the creation and left alone.
  files.HideFromExistenceTest(kConfig);
  EXPECT_FALSE(files.Exists(kConfig));
  EXPECT_FALSE(files.CreateEmptyFile(kConfig));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "kept");
}

TEST(MemoryFileSystem, WritesFailWhereWindowsRefusesThemAndChangeNothing) {
  MemoryFileSystem files;
  files.AddFile(kConfig, "old");
  files.AddDirectory("C:\\Zorvane\\Folder");

  EXPECT_FALSE(files.ReplaceFileContent("C:\\Missing\\MyConfig.ini", "new"));
  EXPECT_FALSE(files.CreateEmptyFile("C:\\Missing\\MyConfig.ini"));
  EXPECT_FALSE(files.Exists("C:\\Missing\\MyConfig.ini"));

  EXPECT_FALSE(files.ReplaceFileContent("C:\\Zorvane\\Folder", "new"));
  EXPECT_FALSE(files.CreateEmptyFile("C:\\Zorvane\\Folder"));
  EXPECT_EQ(files.ReadFile("C:\\Zorvane\\Folder", kAnySize), std::nullopt);
  EXPECT_TRUE(files.Exists("C:\\Zorvane\\Folder"));

  files.SetFolderReadOnly("C:\\Zorvane");
  EXPECT_FALSE(files.ReplaceFileContent(kConfig, "new"));
  EXPECT_FALSE(files.CreateEmptyFile(kConfig));
  EXPECT_FALSE(files.CreateEmptyFile("C:\\Zorvane\\Other.ini"));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "old");
  files.SetFolderReadOnly("C:\\Zorvane", false);
  EXPECT_TRUE(files.ReplaceFileContent(kConfig, "new"));
  EXPECT_EQ(files.ReplacementCount(), 1);
}

TEST(MemoryFileSystem, QueuedFailuresHitTheNextWritesOnly) {
  MemoryFileSystem files;
  files.AddFile(kConfig, "old");
  files.FailNextWrites(2);
  EXPECT_FALSE(files.ReplaceFileContent(kConfig, "first"));
  EXPECT_FALSE(files.CreateEmptyFile(kConfig));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "old");
  EXPECT_EQ(files.ReplacementCount(), 0);
  EXPECT_TRUE(files.ReplaceFileContent(kConfig, "third"));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "third");
  EXPECT_EQ(files.ReplacementCount(), 1);
}

TEST(MemoryFileSystem, AnUnreadableFileStillExistsAndCanBeReadBackByATest) {
  MemoryFileSystem files;
  files.AddFile(kConfig, "kept");
  files.SetUnreadable(kConfig);
  EXPECT_TRUE(files.Exists(kConfig));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), std::nullopt);
  EXPECT_EQ(files.FileContent(kConfig), "kept");
  files.SetUnreadable(kConfig, false);
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "kept");
}

TEST(MemoryFileSystem, AFileOverTheReadersLimitIsNotRead) {
  MemoryFileSystem files;
  files.AddFile(kConfig, "kept");
  EXPECT_EQ(files.ReadFile(kConfig, 3), std::nullopt);
  EXPECT_EQ(files.ReadFile(kConfig, 4), "kept");
}

// ASCII converts exactly; every other character is one "?" (the twin has no code page 936).
TEST(MemoryFileSystem, ConvertsAsciiAndMakesTheRestQuestionMarks) {
  const MemoryFileSystem files;
  EXPECT_EQ(files.AnsiFromUtf16(u"a=1\r\n\u4E2D\U0001F600"), "a=1\r\n??");
  EXPECT_EQ(files.Utf16FromAnsi("a=1\r\n\xD6\xD0\x80"), u"a=1\r\n??");
}

}  // namespace
}  // namespace zorvane::memory

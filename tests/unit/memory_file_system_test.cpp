// What the twin's file system has beyond the contract that it shares with the real one
// (tests/contract): the environment a test sets up, and the failures a test injects
// (tests/support). A failed
// write must leave the old file as it was, or tests of the settings file would prove nothing.
#include "platform/memory/memory_file_system.h"
#include "tests/support/faulty_file_system.h"

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

// Even a file the existence test cannot see is found by the creation and left alone.
TEST(MemoryFileSystem, AFileHiddenFromTheExistenceTestIsStillNeverEmptied) {
  support::FaultyFileSystem files;
  files.AddFile(kConfig, "kept");
  files.HideFromExistenceTest(kConfig);
  EXPECT_FALSE(files.Exists(kConfig));
  EXPECT_FALSE(files.CreateEmptyFile(kConfig));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "kept");
}

// A folder the user may not write in (as a program's folder under Program Files).
TEST(MemoryFileSystem, AReadOnlyFolderRefusesWritesUntilItIsWritableAgain) {
  MemoryFileSystem files;
  files.AddFile(kConfig, "old");
  files.SetFolderReadOnly("C:\\Zorvane");
  EXPECT_FALSE(files.ReplaceFileContent(kConfig, "new"));
  EXPECT_FALSE(files.CreateEmptyFile("C:\\Zorvane\\Other.ini"));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "old");
  files.SetFolderReadOnly("C:\\Zorvane", false);
  EXPECT_TRUE(files.ReplaceFileContent(kConfig, "new"));
  EXPECT_EQ(files.ReplacementCount(), 1);
}

TEST(MemoryFileSystem, QueuedFailuresHitTheNextWritesOnly) {
  support::FaultyFileSystem files;
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
  support::FaultyFileSystem files;
  files.AddFile(kConfig, "kept");
  files.SetUnreadable(kConfig);
  EXPECT_TRUE(files.Exists(kConfig));
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), std::nullopt);
  EXPECT_EQ(files.FileContent(kConfig), "kept");
  files.SetUnreadable(kConfig, false);
  EXPECT_EQ(files.ReadFile(kConfig, kAnySize), "kept");
}

// The twin has no table of code page 936: Chinese text is "?" to it, both ways.
TEST(MemoryFileSystem, MakesWhatIsNotAsciiQuestionMarks) {
  const MemoryFileSystem files;
  EXPECT_EQ(files.AnsiFromUtf16(u"a=\u4E2D"), "a=?");
  EXPECT_EQ(files.Utf16FromAnsi("a=1\r\n\xD6\xD0\x80"), u"a=1\r\n??");
}

}  // namespace
}  // namespace zorvane::memory

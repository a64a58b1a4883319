// What every FileSystem does, the in-memory one as the real one: each case is written once
// and run on both (natively on the twin; under Wine on the Win32 one too). A backend takes
// part through a world: a fresh folder of the test's own, and the backend's own way of
// putting files into it before the program looks.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace zorvane::contract {

// A World has: Files(); PathOf(name), the UTF-8 path of a name in its folder (names in
// ASCII); PutFile(name, content); PutFolder(name); MakeFileReadOnly(name); Names(), every
// name in the folder in lower case, sorted.
template <typename World>
class FileSystemContract : public ::testing::Test {
 protected:
  World world_;
  FileSystem& files_ = world_.Files();
};
TYPED_TEST_SUITE_P(FileSystemContract);

inline constexpr std::size_t kAnySize = std::numeric_limits<std::size_t>::max();
inline const std::vector<std::string> kJustTheConfig{"myconfig.ini"};

TYPED_TEST_P(FileSystemContract, ExistsForFilesAndFoldersInAnySpellingAndNothingElse) {
  auto& world = this->world_;
  world.PutFile("MyConfig.ini", "x");
  world.PutFolder("Folder");
  EXPECT_TRUE(this->files_.Exists(world.PathOf("MyConfig.ini")));
  EXPECT_TRUE(this->files_.Exists(world.PathOf("myconfig.INI")));
  EXPECT_TRUE(this->files_.Exists(world.PathOf("Folder")));
  // A name search finds no name that ends in a separator, not even a folder's.
  EXPECT_FALSE(this->files_.Exists(world.PathOf("Folder\\")));
  EXPECT_EQ(this->files_.ReadFile(world.PathOf("MYCONFIG.ini"), kAnySize), "x");
  std::string slashes = world.PathOf("MyConfig.ini");
  std::ranges::replace(slashes, '\\', '/');
  EXPECT_TRUE(this->files_.Exists(slashes)) << slashes;
  EXPECT_TRUE(this->files_.Exists(this->files_.ExecutablePath()));
  EXPECT_TRUE(this->files_.ExecutablePath().ends_with(".exe"));

  EXPECT_FALSE(this->files_.Exists(world.PathOf("Missing.ini")));
  EXPECT_FALSE(this->files_.Exists(world.PathOf("Missing\\MyConfig.ini")));
  EXPECT_FALSE(this->files_.Exists(world.PathOf("MyConfig.ini.bak")));
  // A pattern is not a name, even where it matches one.
  EXPECT_FALSE(this->files_.Exists(world.PathOf("*")));
  EXPECT_FALSE(this->files_.Exists(world.PathOf("MyConfig.in?")));
  EXPECT_FALSE(this->files_.Exists(""));
}

TYPED_TEST_P(FileSystemContract, CreatingMakesAnEmptyFileButNeverEmptiesOne) {
  auto& world = this->world_;
  const std::string config = world.PathOf("MyConfig.ini");
  ASSERT_TRUE(this->files_.CreateEmptyFile(config));
  EXPECT_EQ(this->files_.ReadFile(config, kAnySize), "");
  world.PutFile("MyConfig.ini", "old");
  EXPECT_FALSE(this->files_.CreateEmptyFile(config));
  EXPECT_EQ(this->files_.ReadFile(config, kAnySize), "old");
  EXPECT_FALSE(this->files_.CreateEmptyFile(world.PathOf("Missing\\MyConfig.ini")));
  EXPECT_EQ(world.Names(), kJustTheConfig);
}

TYPED_TEST_P(FileSystemContract, ReplaceAndReadCarryEveryByte) {
  using namespace std::string_literals;
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte.push_back(static_cast<char>(byte));
  const std::string lines = "[Main]\rWidth=1\r\r\n\0High= 200\n"s;
  // Larger than the pieces files are read and written in.
  std::string large(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);

  const std::string config = this->world_.PathOf("MyConfig.ini");
  for (const std::string& content : {everyByte, lines, large, std::string(), lines}) {
    ASSERT_TRUE(this->files_.ReplaceFileContent(config, content));
    EXPECT_EQ(this->files_.ReadFile(config, kAnySize), content);
  }
  EXPECT_EQ(this->world_.Names(), kJustTheConfig);
}

// A file over the caller's limit is refused (the real one before reading any of it), and the
// limit itself still reads.
TYPED_TEST_P(FileSystemContract, ReadingRefusesAFileOverTheLimit) {
  const std::string large(10 * 1024 * 1024, ';');
  this->world_.PutFile("MyConfig.ini", large);
  const std::string config = this->world_.PathOf("MyConfig.ini");
  EXPECT_EQ(this->files_.ReadFile(config, 1024 * 1024), std::nullopt);
  EXPECT_EQ(this->files_.ReadFile(config, large.size() - 1), std::nullopt);
  EXPECT_EQ(this->files_.ReadFile(config, large.size()), large);
}

TYPED_TEST_P(FileSystemContract, ReadingFailsOnWhatIsNotAFile) {
  this->world_.PutFolder("Folder");
  EXPECT_EQ(this->files_.ReadFile(this->world_.PathOf("Folder"), kAnySize), std::nullopt);
  EXPECT_EQ(this->files_.ReadFile(this->world_.PathOf("Missing.ini"), kAnySize), std::nullopt);
  EXPECT_EQ(this->files_.ReadFile("", kAnySize), std::nullopt);
}

// Writes fail where Windows refuses them, and change nothing: over a folder, in a missing
// folder, over a read-only file.
TYPED_TEST_P(FileSystemContract, RefusedWritesChangeNothing) {
  auto& world = this->world_;
  world.PutFolder("MyConfig.ini");
  world.PutFile("MyConfig.ini\\inside.txt", "kept");
  EXPECT_FALSE(this->files_.ReplaceFileContent(world.PathOf("MyConfig.ini"), "new"));
  EXPECT_FALSE(this->files_.CreateEmptyFile(world.PathOf("MyConfig.ini")));
  EXPECT_TRUE(this->files_.Exists(world.PathOf("MyConfig.ini")));
  EXPECT_EQ(this->files_.ReadFile(world.PathOf("MyConfig.ini\\inside.txt"), kAnySize), "kept");

  EXPECT_FALSE(this->files_.ReplaceFileContent(world.PathOf("Missing\\Other.ini"), "new"));
  EXPECT_FALSE(this->files_.Exists(world.PathOf("Missing\\Other.ini")));

  world.PutFile("Locked.ini", "old");
  world.MakeFileReadOnly("Locked.ini");
  EXPECT_FALSE(this->files_.ReplaceFileContent(world.PathOf("Locked.ini"), "new"));
  EXPECT_FALSE(this->files_.CreateEmptyFile(world.PathOf("Locked.ini")));
  EXPECT_EQ(this->files_.ReadFile(world.PathOf("Locked.ini"), kAnySize), "old");
  EXPECT_EQ(world.Names(), (std::vector<std::string>{"locked.ini", "myconfig.ini"}));
}

// ASCII is the same in the code page and converts exactly; a character the code page lacks
// becomes a "?" for each of its UTF-16 units. (The twin has no table of code page 936, so
// Chinese text is the real backend's alone, and is tested under Wine.)
TYPED_TEST_P(FileSystemContract, ConvertsAsciiExactlyAndWhatTheCodePageLacksToAQuestionMark) {
  EXPECT_EQ(this->files_.AnsiFromUtf16(u"a=1\r\n\U0001F600"), "a=1\r\n??");
  EXPECT_EQ(this->files_.Utf16FromAnsi("a=1\r\n"), u"a=1\r\n");
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract,
                            ExistsForFilesAndFoldersInAnySpellingAndNothingElse,
                            CreatingMakesAnEmptyFileButNeverEmptiesOne,
                            ReplaceAndReadCarryEveryByte, ReadingRefusesAFileOverTheLimit,
                            ReadingFailsOnWhatIsNotAFile, RefusedWritesChangeNothing,
                            ConvertsAsciiExactlyAndWhatTheCodePageLacksToAQuestionMark);

}  // namespace zorvane::contract

// The settings file as the program meets it: missing, empty, hand-edited, damaged, a folder
// of that name, a folder that cannot be written. Never a crash, never a lost foreign line.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <new>

#include "app/main_window_controls.h"
#include "app/main_window_layout.h"
#include "caught_failures.h"
#include "default_settings.h"
#include "program_fixture.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

class SettingsFileTest : public ::testing::Test, public ProgramFixture {
 protected:
  Colour ColourOf(std::string_view name) const { return ui.ControlColour(Control(name)); }
  void Save() { SaveSettings(ui, FindSettingsControls(ui, Main()), files); }
};

// The bytes of a UTF-16LE file with its byte-order mark, as Notepad saves "Unicode".
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// Reads fail the way memory running out makes them fail, while `throwing` is set.
class ThrowingFileSystem final : public FileSystem {
 public:
  explicit ThrowingFileSystem(FileSystem& files) : files_(files) {}
  std::string ExecutablePath() const override { return files_.ExecutablePath(); }
  bool Exists(std::string_view path) const override { return files_.Exists(path); }
  bool CreateEmptyFile(std::string_view path) override { return files_.CreateEmptyFile(path); }
  std::optional<std::string> ReadFile(std::string_view path, std::size_t limit) const override {
    if (throwing) throw std::bad_alloc();
    return files_.ReadFile(path, limit);
  }
  bool ReplaceFileContent(std::string_view path, std::string_view content) override {
    return files_.ReplaceFileContent(path, content);
  }
  std::string AnsiFromUtf16(std::u16string_view text) const override {
    return files_.AnsiFromUtf16(text);
  }
  std::u16string Utf16FromAnsi(std::string_view text) const override {
    return files_.Utf16FromAnsi(text);
  }
  bool throwing = true;

 private:
  FileSystem& files_;
};

TEST(ConfigFilePath, IsBesideTheExecutableEvenInADrivesRoot) {
  EXPECT_EQ(ConfigFilePath("C:\\Tools\\Zorvane.exe"), "C:\\Tools\\MyConfig.ini");
  EXPECT_EQ(ConfigFilePath("D:\\Zorvane.exe"), "D:\\MyConfig.ini");
  EXPECT_EQ(ConfigFilePath("\\\\server\\share\\Zorvane.exe"), "\\\\server\\share\\MyConfig.ini");
  // A folder named in Chinese: the path is UTF-8, where no byte of a character is "\".
  EXPECT_EQ(ConfigFilePath("C:\\计时器\\Zorvane.exe"), "C:\\计时器\\MyConfig.ini");
}

TEST_F(SettingsFileTest, AnExistingEmptyFileIsNotRecreatedAndGivesTheDefaults) {
  files.AddFile(kConfigPath, "");
  Start();
  EXPECT_EQ(files.ReplacementCount(), 0);
  EXPECT_EQ(Text(kDigitHeight), " 200");
  EXPECT_EQ(ColourOf(kBackgroundColour), 13948116u);
}

TEST_F(SettingsFileTest, ColoursAreReadThroughTextToInteger) {
  files.AddFile(kConfigPath,
                "[color]\r\nbgc=abc\r\nlc=12abc\r\ndc=\r\nalarm=  255  \r\nsplit=１６\r\n");
  Start();
  EXPECT_EQ(ColourOf(kBackgroundColour), 0u);
  EXPECT_EQ(ColourOf(kLitColour), 12u);
  EXPECT_EQ(ColourOf(kUnlitColour), 0u);
  EXPECT_EQ(ColourOf(kAlarmColour), 255u);
  EXPECT_EQ(ColourOf(kSeparatorColour), 16u);
}

TEST_F(SettingsFileTest, GeometryTextsAreHeldAndSavedUnchanged) {
  files.AddFile(kConfigPath, "[Main]\r\nWidth=abc\r\nHigh=\r\nBorder=0x14\r\n");
  Start();
  EXPECT_EQ(Text(kDigitWidth), "abc");
  EXPECT_EQ(Text(kDigitHeight), "");  // present but empty is not the default
  EXPECT_EQ(Text(kSegmentThickness), "0x14");
  Save();
  EXPECT_EQ(ConfigFile(),
            "[Main]\r\nWidth=abc\r\nHigh=\r\nBorder=0x14\r\nSpace=2\r\n[color]\r\nbgc=13948116\r\n"
            "lc=0\r\ndc=15527148\r\nalarm=255\r\nsplit=0\r\n");
}

// Quotes as the profile functions read them; what is written back is the value without them.
TEST_F(SettingsFileTest, QuotedValuesReadAsTheProfileFunctionsReadThem) {
  files.AddFile(kConfigPath, "[Main]\r\nWidth=\"80\"\r\n[color]\r\nbgc=\"255\"\r\n");
  Start();
  EXPECT_EQ(Text(kDigitWidth), "80");
  EXPECT_EQ(ColourOf(kBackgroundColour), 255u);
  Save();
  EXPECT_NE(ConfigFile().find("Width=80\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, ColoursWithTheTopBitSetSurviveARoundTrip) {
  files.AddFile(kConfigPath, "[color]\r\nbgc=-16777216\r\n");
  Start();
  EXPECT_EQ(ColourOf(kBackgroundColour), 0xFF000000u);
  Save();
  EXPECT_NE(ConfigFile().find("bgc=-16777216\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, DamagedFilesNeverLoseTheirForeignLines) {
  const std::string junk("\x00\xFF\xFE[\r\x01=\n\n", 9);
  const std::string longLine(200000, 'x');
  files.AddFile(kConfigPath, junk + longLine + "\r[Main]\rWidth=90\r[Main]\rWidth=10");
  Start();
  EXPECT_EQ(Text(kDigitWidth), "90");  // the first of duplicates counts
  Save();
  const std::string saved = ConfigFile();
  EXPECT_EQ(saved.substr(0, junk.size()), junk);
  EXPECT_NE(saved.find(longLine), std::string::npos);
  EXPECT_NE(saved.find("[Main]\rWidth=10"), std::string::npos);
}

TEST_F(SettingsFileTest, AFolderOfThatNameGivesTheDefaultsAndIsLeftAlone) {
  files.AddDirectory(kConfigPath);
  Start();
  EXPECT_EQ(Text(kDigitWidth), "120");
  Save();
  EXPECT_TRUE(files.Exists(kConfigPath));
  EXPECT_FALSE(files.FileContent(kConfigPath).has_value());
  EXPECT_EQ(files.ReplacementCount(), 0);
}

TEST_F(SettingsFileTest, AReadOnlyFolderGivesTheDefaultsEveryRun) {
  files.SetFolderReadOnly("C:\\Zorvane");
  Start();
  EXPECT_FALSE(files.Exists(kConfigPath));
  EXPECT_EQ(Text(kDigitHeight), " 200");
  ui.RequestClose(Main());
  EXPECT_FALSE(files.Exists(kConfigPath));
}

TEST_F(SettingsFileTest, AFailedSaveLeavesTheOldFileWhole) {
  const std::string original = "[Other]\r\nkeep=me\r\n[Main]\r\nWidth=77\r\n";
  files.AddFile(kConfigPath, original);
  Start();
  files.FailNextWrites(1);
  const CaughtFailures failures;
  Save();
  EXPECT_EQ(ConfigFile(), original);
  // Nobody is told but a debugger.
  EXPECT_EQ(failures.Caught(),
            std::vector<std::string>{"settings not saved: the file cannot be replaced"});
  Save();  // the next one goes through
  EXPECT_NE(ConfigFile(), original);
  EXPECT_EQ(ConfigFile().substr(0, 18), "[Other]\r\nkeep=me\r\n");
}

// A file far larger than any settings file (here just over 1 MB) is not read at all: a
// 32-bit program could not hold one of many megabytes.
TEST_F(SettingsFileTest, AFileOverAMegabyteGivesTheDefaultsAndIsNeverRewritten) {
  const std::string original =
      "[Main]\r\nWidth=90\r\n;" + std::string(1 << 20, 'x') + "\r\n[color]\r\nbgc=1\r\n";
  files.AddFile(kConfigPath, original);
  Start();
  EXPECT_EQ(Text(kDigitWidth), "120");
  EXPECT_EQ(ColourOf(kBackgroundColour), 13948116u);
  ui.RequestClose(Main());
  EXPECT_EQ(files.FileContent(kConfigPath), original);
  EXPECT_EQ(files.ReplacementCount(), 0);
}

// Whatever a handler throws stays in it: the program starts with the defaults and leaves the
// file as it was, even when the save at exit could read it.
TEST_F(SettingsFileTest, AnythingThrownWhileLoadingEndsInTheDefaultsAndAnIntactFile) {
  const std::string original = "[Main]\r\nWidth=90\r\n";
  files.AddFile(kConfigPath, original);
  ThrowingFileSystem throwingFiles(files);
  const CaughtFailures failures;
  program = std::make_unique<Program>(Platform{ui, *threads, throwingFiles, drawing, sound});
  ASSERT_TRUE(program->CreateMainWindow());
  EXPECT_EQ(Text(kDigitWidth), "120");
  EXPECT_EQ(Text(kDigitHeight), " 200");
  EXPECT_EQ(ColourOf(kAlarmColour), 255u);
  EXPECT_EQ(failures.Caught(), std::vector<std::string>{"a handler stopped early: std::bad_alloc"});
  throwingFiles.throwing = false;
  ui.RequestClose(Main());
  EXPECT_FALSE(ui.WindowExists(Main()));
  EXPECT_EQ(files.FileContent(kConfigPath), original);
}

// Notepad's "Unicode" save is read, and written back in UTF-16LE with every line the program
// does not own as it was, even characters the ANSI code page lacks (an emoji here).
TEST_F(SettingsFileTest, AUtf16FileIsReadAndKeepsItsEncodingAndItsLines) {
  const std::u16string comment = u"; \u8BBE\u7F6E \U0001F600";
  files.AddFile(kConfigPath, Utf16File(comment + u"\r\n[Main]\r\nWidth=80\r\n[Mine]\nx=y"));
  Start();
  EXPECT_EQ(Text(kDigitWidth), "80");
  ui.RequestClose(Main());
  EXPECT_EQ(ConfigFile(), Utf16File(comment + u"\r\n[Main]\r\nWidth=80\r\nHigh= 200\r\n"
                                    u"Border=20\r\nSpace=2\r\n[Mine]\nx=y\r\n[color]\r\n"
                                    u"bgc=13948116\r\nlc=0\r\ndc=15527148\r\nalarm=255\r\nsplit=0\r\n"));
}

// A UTF-8 byte-order mark means nothing to the profile functions: it belongs to the first
// line, which then names no section, and the file keeps its bytes.
TEST_F(SettingsFileTest, AUtf8ByteOrderMarkIsPartOfTheFirstLine) {
  const std::string original = "\xEF\xBB\xBF[Main]\r\nWidth=70\r\n";
  files.AddFile(kConfigPath, original);
  Start();
  EXPECT_EQ(Text(kDigitWidth), "120");
  ui.RequestClose(Main());
  EXPECT_EQ(ConfigFile(), original + kElevenLines);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNotOverwritten) {
  const std::string original = "[Other]\r\nkeep=me\r\n";
  files.AddFile(kConfigPath, original);
  files.SetUnreadable(kConfigPath);
  Start();
  EXPECT_EQ(Text(kDigitWidth), "120");
  Save();
  EXPECT_EQ(files.FileContent(kConfigPath), original);
}

// The existence test misses a file whose name it cannot search (a long-path name, a folder
// that cannot be listed); the file is still read, and the creation leaves it as it is.
TEST_F(SettingsFileTest, AFileTheExistenceTestMissesIsReadAndNotEmptied) {
  const std::string original = "[Main]\r\nWidth=77\r\n[Mine]\r\nx=y\r\n";
  files.AddFile(kConfigPath, original);
  files.HideFromExistenceTest(kConfigPath);
  Start();
  EXPECT_EQ(ConfigFile(), original);
  EXPECT_EQ(Text(kDigitWidth), "77");
}

TEST_F(SettingsFileTest, HandEditsWhileRunningAreReplacedForTheNineKeysOnly) {
  Start();
  files.AddFile(kConfigPath, "[color]\r\nbgc=1\r\n[Mine]\r\nx=y\r\n");
  ui.RequestClose(Main());
  const std::string saved = ConfigFile();
  EXPECT_NE(saved.find("bgc=13948116"), std::string::npos);
  EXPECT_NE(saved.find("[Mine]\r\nx=y\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zorvane::testing

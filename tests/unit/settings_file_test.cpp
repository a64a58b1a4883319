// The settings file as the program meets it: missing, empty, hand-edited, damaged, a folder
// of that name, a folder that cannot be written. Never a crash, never a lost foreign line.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "app/main_window_controls.h"
#include "app/main_window_layout.h"
#include "program_fixture.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

class SettingsFileTest : public ::testing::Test, public ProgramFixture {
 protected:
  Colour ColourOf(std::string_view name) const { return ui.ControlColour(Control(name)); }
  void Save() { SaveSettings(ui, FindSettingsControls(ui, Main()), files); }
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
  Save();
  EXPECT_EQ(ConfigFile(), original);
  Save();  // the next one goes through
  EXPECT_NE(ConfigFile(), original);
  EXPECT_EQ(ConfigFile().substr(0, 18), "[Other]\r\nkeep=me\r\n");
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

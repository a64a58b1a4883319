// The settings file as the program reads and writes it: values found as Windows finds them,
// new lines placed where Windows places them, and every line the program does not own kept
// byte for byte, whatever the file holds.
#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "default_settings.h"

namespace zorvane {
namespace {

using namespace std::string_literals;  // for texts with NUL bytes

std::optional<std::string> Read(std::string_view file, std::string_view section,
                                std::string_view key) {
  return IniDocument::Parse(file).Value(section, key);
}

std::string Written(std::string_view file, std::string_view section, std::string_view key,
                    std::string_view value) {
  IniDocument document = IniDocument::Parse(file);
  document.SetValue(section, key, value);
  return document.Serialize();
}

// --- Reading ------------------------------------------------------------------------------

TEST(IniDocumentRead, ValueIsTheTextAfterTheFirstEqualsWithBlanksTrimmed) {
  const std::string file = "[Main]\r\nHigh= 200\r\nWidth=\t120 \t\r\nBorder = 2=0 \r\n";
  EXPECT_EQ(Read(file, "Main", "High"), "200");
  EXPECT_EQ(Read(file, "Main", "Width"), "120");
  EXPECT_EQ(Read(file, "Main", "Border"), "2=0");
}

TEST(IniDocumentRead, MissingIsNothingButAnEmptyValueIsEmptyText) {
  const std::string file = "[Main]\nSpace=\nBorder=  \t\n[color]\n";
  EXPECT_EQ(Read(file, "Main", "Space"), "");
  EXPECT_EQ(Read(file, "Main", "Border"), "");
  EXPECT_EQ(Read(file, "Main", "Width"), std::nullopt);
  EXPECT_EQ(Read(file, "color", "bgc"), std::nullopt);
  EXPECT_EQ(Read(file, "other", "Space"), std::nullopt);
  EXPECT_EQ(Read("", "Main", "Space"), std::nullopt);
}

TEST(IniDocumentRead, NamesCompareWithoutRegardToAsciiCase) {
  const std::string file = "[mAIN]\r\n  wIDTH  =9\r\n[COLOR]\r\nBGC=5\r\n";
  EXPECT_EQ(Read(file, "Main", "Width"), "9");
  EXPECT_EQ(Read(file, "color", "bgc"), "5");
}

TEST(IniDocumentRead, ChineseNamesCompareCharacterByCharacter) {
  // 0xB0 0x41 and 0xB0 0x61 are two different characters whose second bytes happen to be
  // "A" and "a"; 0xB0 0x5D is one character whose second byte is "]".
  const std::string file = "[\xB0\x41]\nk=upper\n[\xB0\x5D]\nk=bracket\n";
  EXPECT_EQ(Read(file, "\xB0\x41", "k"), "upper");
  EXPECT_EQ(Read(file, "\xB0\x61", "k"), std::nullopt);
  EXPECT_EQ(Read(file, "\xB0\x5D", "k"), "bracket");
  EXPECT_EQ(Read("[设置]\n宽度=3\n", "设置", "宽度"), "3");
}

TEST(IniDocumentRead, SectionLinesAllowBlanksAndIgnoreTextAfterTheBracket) {
  EXPECT_EQ(Read("  [ Main ]  \nWidth=1\n", "Main", "Width"), "1");
  EXPECT_EQ(Read("[Main] ; the display\nWidth=2\n", "Main", "Width"), "2");
  EXPECT_EQ(Read("[Main]junk]\nWidth=3\n", "Main", "Width"), "3");
}

TEST(IniDocumentRead, LinesThatAreNotKeysAreNeverRead) {
  // Comments, a "[" that never closes (it does not end the section) and text without "=".
  const std::string file = "[Main]\n;Width=1\n  ; High=2\n[color\nBorder\nSpace=4\n";
  EXPECT_EQ(Read(file, "Main", "Width"), std::nullopt);
  EXPECT_EQ(Read(file, "Main", ";Width"), std::nullopt);
  EXPECT_EQ(Read(file, "Main", "High"), std::nullopt);
  EXPECT_EQ(Read(file, "color", "Space"), std::nullopt);
  EXPECT_EQ(Read(file, "Main", "Border"), std::nullopt);
  EXPECT_EQ(Read(file, "Main", "Space"), "4");
}

TEST(IniDocumentRead, KeysBeforeTheFirstSectionBelongToNone) {
  const std::string file = "Width=1\r\n=2\r\n[Main]\r\nHigh=3\r\n";
  EXPECT_EQ(Read(file, "Main", "Width"), std::nullopt);
  EXPECT_EQ(Read(file, "", "Width"), std::nullopt);
  EXPECT_EQ(Read(file, "Main", "High"), "3");
}

TEST(IniDocumentRead, TheFirstOfDuplicateSectionsAndKeysIsRead) {
  const std::string file = "[Main]\nWidth=1\nWidth=2\n[Main]\nWidth=3\nHigh=4\n";
  EXPECT_EQ(Read(file, "Main", "Width"), "1");
  // The second section of the same name is never consulted.
  EXPECT_EQ(Read(file, "Main", "High"), std::nullopt);
}

TEST(IniDocumentRead, LongValuesAreCutToTheProfileBuffer) {
  const std::string longValue(IniDocument::kMaxValueLength + 50, '7');
  const std::optional<std::string> value = Read("[Main]\nWidth=" + longValue + "\n", "Main", "Width");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, longValue.substr(0, IniDocument::kMaxValueLength));

  const std::string fitting(IniDocument::kMaxValueLength, '8');
  EXPECT_EQ(Read("[Main]\nWidth=" + fitting, "Main", "Width"), fitting);

  // The cut never keeps half of a double-byte character: "中" is 0xD6 0xD0.
  const std::string shortOfOne(IniDocument::kMaxValueLength - 1, '9');
  EXPECT_EQ(Read("[Main]\nWidth=" + shortOfOne + "中文", "Main", "Width"), shortOfOne);
  const std::string shortOfTwo(IniDocument::kMaxValueLength - 2, '9');
  EXPECT_EQ(Read("[Main]\nWidth=" + shortOfTwo + "中文", "Main", "Width"), shortOfTwo + "中");
}

// One pair of equal quotes around a value is taken off, after the blanks; anything else
// stays. The real profile functions are the reference for the same cases under Wine.
TEST(IniDocumentRead, OnePairOfEqualQuotesAroundTheValueIsTakenOff) {
  const std::string file =
      "[Main]\nWidth=\"80\"\nHigh= ' 2 ' \nBorder=\"\"\nSpace=\"\"5\"\"\n"
      "[color]\nbgc=\"255\nlc=\"\ndc='1\"\nalarm=\"a\"b\"\n";
  EXPECT_EQ(Read(file, "Main", "Width"), "80");
  EXPECT_EQ(Read(file, "Main", "High"), " 2 ");
  EXPECT_EQ(Read(file, "Main", "Border"), "");
  EXPECT_EQ(Read(file, "Main", "Space"), "\"5\"");
  EXPECT_EQ(Read(file, "color", "bgc"), "\"255");
  EXPECT_EQ(Read(file, "color", "lc"), "\"");
  EXPECT_EQ(Read(file, "color", "dc"), "'1\"");
  EXPECT_EQ(Read(file, "color", "alarm"), "a\"b");
}

// --- Writing ------------------------------------------------------------------------------

TEST(IniDocumentWrite, AnExistingKeyIsRewrittenInPlaceWithItsOwnLineEnding) {
  EXPECT_EQ(Written("[Main]\nhigh = 1 \nWidth=2\n", "Main", "High", " 200"),
            "[Main]\nHigh= 200\nWidth=2\n");
  EXPECT_EQ(Written("[Main]\rWidth=2", "main", "Width", "120"), "[Main]\rWidth=120");
  EXPECT_EQ(Written("[Main]\r\nWidth=2\r\n", "Main", "Width", ""), "[Main]\r\nWidth=\r\n");
}

TEST(IniDocumentWrite, AMissingKeyFollowsTheLastLineWithContentOfItsSection) {
  EXPECT_EQ(Written("[Main]\r\nWidth=1\r\n\r\n  \t\r\n[color]\r\nlc=0\r\n", "Main", "High", " 200"),
            "[Main]\r\nWidth=1\r\nHigh= 200\r\n\r\n  \t\r\n[color]\r\nlc=0\r\n");
  // A comment or a junk line is content of the section too.
  EXPECT_EQ(Written("[Main]\nWidth=1\n; end\n\n[color]\n", "Main", "Space", "2"),
            "[Main]\nWidth=1\n; end\nSpace=2\r\n\n[color]\n");
  EXPECT_EQ(Written("[Main]\n\n[color]\n", "Main", "Space", "2"), "[Main]\nSpace=2\r\n\n[color]\n");
}

TEST(IniDocumentWrite, TheFileEndGetsALineEndingBeforeANewLineFollowsIt) {
  EXPECT_EQ(Written("[color]\nlc=0", "color", "dc", "1"), "[color]\nlc=0\r\ndc=1\r\n");
  EXPECT_EQ(Written("[color]", "color", "dc", "1"), "[color]\r\ndc=1\r\n");
  // A trailing blank line without an ending stays last, and stays as it is.
  EXPECT_EQ(Written("[color]\nlc=0\n  ", "color", "dc", "1"), "[color]\nlc=0\ndc=1\r\n  ");
}

TEST(IniDocumentWrite, AMissingSectionIsAddedAtTheEndWithoutABlankLine) {
  EXPECT_EQ(Written("", "Main", "Width", "120"), "[Main]\r\nWidth=120\r\n");
  EXPECT_EQ(Written("; mine\n", "Main", "Width", "120"), "; mine\n[Main]\r\nWidth=120\r\n");
  EXPECT_EQ(Written("; mine\r", "Main", "Width", "1"), "; mine\r[Main]\r\nWidth=1\r\n");
  EXPECT_EQ(Written("x=1", "Main", "Width", "1"), "x=1\r\n[Main]\r\nWidth=1\r\n");
  // A key before any section does not count as the section's.
  EXPECT_EQ(Written("Width=5\n", "Main", "Width", "1"), "Width=5\n[Main]\r\nWidth=1\r\n");
}

TEST(IniDocumentWrite, OnlyTheFirstOfDuplicateSectionsAndKeysChanges) {
  EXPECT_EQ(Written("[Main]\nWidth=1\nwidth=2\n[MAIN]\nWidth=3\n", "Main", "Width", "9"),
            "[Main]\nWidth=9\nwidth=2\n[MAIN]\nWidth=3\n");
  EXPECT_EQ(Written("[Main]\nWidth=1\n[Main]\nHigh=3\n", "Main", "High", "9"),
            "[Main]\nWidth=1\nHigh=9\r\n[Main]\nHigh=3\n");
}

TEST(IniDocumentWrite, TheNineSettingsMakeElevenLinesInAnEmptyFile) {
  IniDocument document;
  document.SetValue("Main", "Width", "120");
  document.SetValue("Main", "High", " 200");
  document.SetValue("Main", "Border", "20");
  document.SetValue("Main", "Space", "2");
  document.SetValue("color", "bgc", "13948116");
  document.SetValue("color", "lc", "0");
  document.SetValue("color", "dc", "15527148");
  document.SetValue("color", "alarm", "255");
  document.SetValue("color", "split", "0");
  const std::string expected = kElevenLines;
  EXPECT_EQ(document.Serialize(), expected);
  EXPECT_EQ(Read(expected, "Main", "High"), "200");
  EXPECT_EQ(Read(expected, "color", "dc"), "15527148");

  // Saving the same values again changes nothing.
  IniDocument reread = IniDocument::Parse(expected);
  reread.SetValue("Main", "High", " 200");
  reread.SetValue("color", "split", "0");
  EXPECT_EQ(reread.Serialize(), expected);
}

// --- Files the program did not write ------------------------------------------------------

TEST(IniDocumentForeignInput, EveryLineEndingAndJunkLineSurvivesUnchanged) {
  const std::string inputs[] = {
      "",
      "\n",
      "\r",
      "\r\n",
      "\n\r",
      "\r\r\n\n",
      "no ending",
      "[Main]\rWidth=1\rHigh=2",
      "[Main]\nWidth=1\nHigh=2\n",
      "[Main]\r\nWidth=1\n\rHigh=2\r\r\n",
      "[\n]\n[[[\n=\n==\n;\n [ \n",
      "\0[Main]\0\r\nWid\0th=1\0\r\n\0"s,
      "\xEF\xBB\xBF[Main]\r\n\xFF\xFE\x81\r\n",
  };
  for (const std::string& input : inputs) {
    EXPECT_EQ(IniDocument::Parse(input).Serialize(), input);
  }
}

TEST(IniDocumentForeignInput, RandomBytesRoundTripAndTakeANewSection) {
  // Bytes weighted towards the ones the reader looks at. With no "M" among them the file
  // never has a Main section, so the new one must come at the end, after nothing but an
  // ending for the last line where it had none.
  const std::string alphabet = "[]=; \t\r\n\r\nabAB\x81\x5D\xFF"s + '\0';
  std::minstd_rand random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> length(0, 300);
  for (int round = 0; round < 500; ++round) {
    std::string input(length(random), '\0');
    for (char& byte : input) byte = alphabet[pick(random)];

    IniDocument document = IniDocument::Parse(input);
    ASSERT_EQ(document.Serialize(), input) << "round " << round;

    document.SetValue("Main", "Width", "7");
    const bool endsOpen = !input.empty() && input.back() != '\r' && input.back() != '\n';
    ASSERT_EQ(document.Serialize(), input + (endsOpen ? "\r\n" : "") + "[Main]\r\nWidth=7\r\n")
        << "round " << round;
  }
}

TEST(IniDocumentForeignInput, MegabyteLinesAndNulBytesAreCarriedThrough) {
  const std::string junk(3 << 20, '\0');
  const std::string longKey = "[Main]\r\nWidth=" + std::string(2 << 20, 'x') + "\r\n";
  const std::string file = junk + "\n" + longKey + "Border=5\r\n" + junk;

  IniDocument document = IniDocument::Parse(file);
  EXPECT_EQ(document.Value("Main", "Border"), "5");
  EXPECT_EQ(document.Value("Main", "Width"), std::string(IniDocument::kMaxValueLength, 'x'));

  // The junk after the section is the section's last content, and has no ending yet.
  document.SetValue("Main", "Width", "120");
  document.SetValue("Main", "Space", "2");
  EXPECT_EQ(document.Serialize(),
            junk + "\n[Main]\r\nWidth=120\r\nBorder=5\r\n" + junk + "\r\nSpace=2\r\n");
}

TEST(IniDocumentForeignInput, OnlyCarriageReturnsOrOnlyLineFeedsStillReadAndWrite) {
  const std::string crOnly = "[Main]\rWidth=1\r\r[color]\rlc=2\r";
  EXPECT_EQ(Read(crOnly, "color", "lc"), "2");
  EXPECT_EQ(Written(crOnly, "Main", "High", "3"), "[Main]\rWidth=1\rHigh=3\r\n\r[color]\rlc=2\r");

  const std::string lfOnly = "[Main]\nWidth=1\n\n[color]\nlc=2\n";
  EXPECT_EQ(Read(lfOnly, "color", "lc"), "2");
  EXPECT_EQ(Written(lfOnly, "color", "dc", "3"), "[Main]\nWidth=1\n\n[color]\nlc=2\ndc=3\r\n");
}

}  // namespace
}  // namespace zorvane

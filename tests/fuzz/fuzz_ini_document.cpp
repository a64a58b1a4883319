// Fuzzes the INI reader and writer: any bytes as the file, any names and value to read and
// to set. Checks that parsing and writing back gives the same bytes, that what is read
// looks as the reader promises, and that setting a key reads back (trimmed, unquoted, within
// the value cap and never half a character), changes that key's line alone and leaves every
// other line byte for byte.
//
// An input is, in the order FuzzedDataProvider takes it: from its last byte, how much to
// stretch the value; from its start, the section, key and value to set and another section
// and key to read, each a string ended by a backslash and one other byte ("\\" stands for
// one backslash); the rest is the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/ini_text_model.h"

namespace zorvane::fuzz {
namespace {

constexpr std::size_t kCap = IniDocument::kMaxValueLength;
constexpr std::string_view kNewEnding = "\r\n";

struct FuzzInput {
  std::string section;
  std::string key;
  std::string value;
  std::string otherSection;
  std::string otherKey;
  std::string file;
};

// The text repeated up to `length` bytes, so values run to either side of the cap without
// inputs of that size.
std::string RepeatedTo(std::string text, std::size_t length) {
  if (text.empty()) text = "7";
  std::string longText;
  longText.reserve(length);
  while (longText.size() < length) longText += text;
  longText.resize(length);
  return longText;
}

FuzzInput TakeInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const auto stretch = provider.ConsumeIntegral<std::uint8_t>();
  FuzzInput input;
  input.section = provider.ConsumeRandomLengthString(64);
  input.key = provider.ConsumeRandomLengthString(64);
  input.value = provider.ConsumeRandomLengthString(256);
  input.otherSection = provider.ConsumeRandomLengthString(64);
  input.otherKey = provider.ConsumeRandomLengthString(64);
  input.file = provider.ConsumeRemainingBytesAsString();
  // A quarter of the inputs set a value of the cap's length, give or take two bytes.
  if (stretch >= 0xC0) input.value = RepeatedTo(input.value, kCap - 2 + stretch % 5);
  return input;
}

// What a value read from a file looks like, whatever the file holds.
void CheckReadValue(const std::optional<std::string>& value, std::string_view file) {
  if (!value) return;
  Require(value->size() <= kCap, "a value read is cut at the cap");
  Require(!HasLineBreak(*value), "a value read from a file holds no line break");
  // Blanks at an end stay only inside quotes, or where the cap cut the value.
  const auto quotedBefore = [&] {
    return file.find("\"" + *value) != file.npos || file.find("'" + *value) != file.npos;
  };
  const auto quotedAfter = [&] {
    return file.find(*value + "\"") != file.npos || file.find(*value + "'") != file.npos;
  };
  Require(value->empty() || (value->front() != ' ' && value->front() != '\t') || quotedBefore(),
          "a value read starts with no blank unless it was quoted");
  Require(value->size() + 1 >= kCap || WithoutEndBlanks(*value) == *value || quotedAfter(),
          "a value read ends with no blank unless it was quoted or the cap cut it there");
  Require(file.find(*value) != file.npos, "a value read is text of the file");
}

bool SameNames(std::string_view sectionA, std::string_view keyA, std::string_view sectionB,
               std::string_view keyB) {
  return NameForComparison(sectionA) == NameForComparison(sectionB) &&
         NameForComparison(keyA) == NameForComparison(keyB);
}

// After setting a key that was there: its line alone has changed, to the new text, and
// kept its ending.
void CheckRewrittenInPlace(const std::vector<TextLine>& before, const std::vector<TextLine>& after,
                           std::string_view keyLine) {
  Require(after.size() == before.size(), "rewriting a key keeps the number of lines");
  std::size_t changed = 0;
  while (changed < before.size() && before[changed] == after[changed]) ++changed;
  if (changed == before.size()) {
    bool alreadyThere = false;
    for (const TextLine& line : before) alreadyThere = alreadyThere || line.text == keyLine;
    Require(alreadyThere, "a file unchanged by a rewrite already held the key's new line");
    return;
  }
  Require(after[changed].text == keyLine, "the rewritten line is the key's new line");
  Require(after[changed].ending == before[changed].ending, "a rewritten line keeps its ending");
  for (std::size_t i = changed + 1; i < before.size(); ++i) {
    Require(before[i] == after[i], "a rewrite changes one line only");
  }
}

// The file's last line gains the ending it lacked when a line comes to follow it.
bool GainedEnding(const TextLine& before, const TextLine& after) {
  return before.text == after.text && before.ending.empty() && after.ending == kNewEnding;
}

// The first `count` lines are kept, except that the file's last line may gain an ending.
void CheckKeptBefore(const std::vector<TextLine>& before, const std::vector<TextLine>& after,
                     std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const bool lastGainedEnding = i + 1 == before.size() && GainedEnding(before[i], after[i]);
    Require(before[i] == after[i] || lastGainedEnding, "lines before a new line are kept");
  }
}

// After setting a key its section lacked: one new line, after the section's last line with
// content, before the blank lines that lead to the next section.
void CheckInsertedInSection(const std::vector<TextLine>& before, const std::vector<TextLine>& after,
                            std::string_view keyLine) {
  const TextLine added{keyLine, kNewEnding};
  std::size_t at = 0;
  while (at < before.size() && before[at] == after[at]) ++at;
  if (at + 1 == before.size() && GainedEnding(before[at], after[at])) ++at;
  Require(at > 0 && after[at] == added, "the key's new line is in the file, under a header");
  CheckKeptBefore(before, after, at);
  for (std::size_t i = at + 1; i < after.size(); ++i) {
    Require(after[i] == before[i - 1], "lines after a new line are kept");
  }
  Require(!IsBlankLine(after[at - 1].text), "a new key follows a line with content");
  for (std::size_t i = at + 1; i < after.size() && !OpensSection(after[i].text); ++i) {
    Require(IsBlankLine(after[i].text), "only blank lines lie between a new key and the next section");
  }
}

// After setting a key of a section the file lacked: the header and the key at the end.
void CheckAppendedSection(const std::vector<TextLine>& before, const std::vector<TextLine>& after,
                          std::string_view section, std::string_view keyLine) {
  const std::string header = "[" + std::string(section) + "]";
  Require(after[before.size()] == TextLine{header, kNewEnding}, "a new section's header follows the file");
  Require(after[before.size() + 1] == TextLine{keyLine, kNewEnding}, "the new section's key follows its header");
  CheckKeptBefore(before, after, before.size());
}

void CheckOnlyTheKeyChanged(std::string_view before, std::string_view after, const FuzzInput& input,
                            bool keyWasThere) {
  const std::string keyLine = input.key + "=" + input.value;
  const std::vector<TextLine> linesBefore = SplitLines(before);
  const std::vector<TextLine> linesAfter = SplitLines(after);
  if (keyWasThere) {
    CheckRewrittenInPlace(linesBefore, linesAfter, keyLine);
  } else if (linesAfter.size() == linesBefore.size() + 1) {
    CheckInsertedInSection(linesBefore, linesAfter, keyLine);
  } else {
    Require(linesAfter.size() == linesBefore.size() + 2, "a new key adds one line, or two with its section");
    CheckAppendedSection(linesBefore, linesAfter, input.section, keyLine);
  }
}

void CheckSetValue(const FuzzInput& input, const IniDocument& original) {
  const std::string before = original.Serialize();
  const bool keyWasThere = original.Value(input.section, input.key).has_value();

  IniDocument document = original;
  document.SetValue(input.section, input.key, input.value);
  const std::string after = document.Serialize();

  const bool readable = IsReadableSectionName(input.section) && IsReadableKeyName(input.key);
  if (readable) {
    const std::string expected = ValueAsRead(input.value, kCap);
    Require(document.Value(input.section, input.key) == expected,
            "a key set reads back trimmed, unquoted and cut at the cap between characters");
    // Another name reads as before; the same name, however written, reads the new value.
    const auto checkRead = [&](std::string_view section, std::string_view key) {
      const std::optional<std::string> read = document.Value(section, key);
      if (SameNames(section, key, input.section, input.key)) {
        Require(read == expected, "the key set reads back under each spelling of its name");
      } else {
        Require(read == original.Value(section, key), "setting a key leaves every other key's value");
      }
    };
    checkRead(input.otherSection, input.otherKey);
    checkRead(EveryLetterCaseFlipped(input.section), EveryLetterCaseFlipped(input.key));
    IniDocument again = document;
    again.SetValue(input.section, input.key, input.value);
    Require(again.Serialize() == after, "setting the same value again changes nothing");
  }

  if (HasLineBreak(input.section) || HasLineBreak(input.key) || HasLineBreak(input.value)) return;
  CheckOnlyTheKeyChanged(before, after, input, keyWasThere);
  const IniDocument reread = IniDocument::Parse(after);
  Require(reread.Serialize() == after, "a written file parses back to the same bytes");
  Require(reread.Value(input.section, input.key) == document.Value(input.section, input.key),
          "a written file reads as it was in memory");
}

}  // namespace
}  // namespace zorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zorvane::fuzz;
  const FuzzInput input = TakeInput(data, size);
  const zorvane::IniDocument original = zorvane::IniDocument::Parse(input.file);
  Require(original.Serialize() == input.file, "parsing and writing back gives the same bytes");
  CheckReadValue(original.Value(input.section, input.key), input.file);
  CheckReadValue(original.Value(input.otherSection, input.otherKey), input.file);
  CheckSetValue(input, original);
  return 0;
}

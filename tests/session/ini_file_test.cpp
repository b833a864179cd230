// The INI rules of the settings file: line splitting, sections, entries,
// letter case, first-wins, no trimming, and the integer forms.

#include "session/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vnx {
namespace {

TEST(SplitLines, BreaksAtCrLfAndCrLfAlike) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } const cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"\n", {""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {"a\r\r\nb", {"a", "", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(ParseIniInteger, HexDecimalAndDollarFormsWithin32Bits) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } const cases[] = {
      {"640", 640},
      {"0x280", 640},
      {"0X280", 640},
      {"$280", 640},
      {"-$10", -16},
      {"+7", 7},
      {"-5", -5},
      {"007", 7},
      {"0", 0},
      {"0x0", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$FFFFFFFF", -1},
      {"0xffffffff", -1},
      {"$80000000", -2147483647 - 1},
      {"0x00000001", 1},
      {"800px", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"0x100000000", std::nullopt},
      {"$100000000", std::nullopt},
      {"0x", std::nullopt},  // two characters: read as decimal, and not one
      {"0x-1", std::nullopt},
      {"-0x10", std::nullopt},
      {"$", std::nullopt},
      {"$-1", std::nullopt},
      {"-", std::nullopt},
      {"", std::nullopt},
      {" 5", std::nullopt},  // nothing is trimmed
      {"5 ", std::nullopt},
      {"1.5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << c.text;
}

TEST(BoolFromText, IntegersAreTrueWhenNotZeroOtherTextGivesTheDefault) {
  struct Case {
    const char* text;
    bool defaultValue, value;
  } const cases[] = {
      {"0x1", false, true}, {"$1", false, true},   {"7", false, true}, {"-1", false, true},    {"0", true, false},
      {"yes", true, true},  {"yes", false, false}, {"", true, true},   {"true", false, false},
  };
  for (const Case& c : cases) EXPECT_EQ(BoolFromText(c.text, c.defaultValue), c.value) << c.text;
}

TEST(IniFile, SectionsAndEntriesFollowTheReadersRules) {
  const IniFile file(
      "Width=1\r\n"     // before the first section: ignored
      "[settings]\r\n"  // found as "Settings"
      "; Width=2\r\n"   // comment
      "\r\n"
      "Width=800\n"
      "WIDTH=900\n"            // second entry of a name: not read
      "Height = 600\r"         // blanks belong to the name and the value
      "Caption= Title = x \n"  // value is everything after the first "="
      "NoEquals\n"
      "Empty=\n"
      "[Settings]\n"  // second section of the name: not read
      "Left=5\n"
      "[ Other]\n"
      "Top=3\n"
      "[Other]\n"
      "Top=4\n"
      "[]\n"
      "Blank=1\n"
      "[Broken] \n"  // does not end in "]": an entry line without "="
      "Key=in []\n");
  struct Case {
    const char* section;
    const char* name;
    std::optional<std::string> value;
  } const cases[] = {
      {"Settings", "Width", "800"},
      {"SETTINGS", "width", "800"},
      {"Settings", "Height", std::nullopt},
      {"Settings", "Height ", " 600"},
      {"Settings", "Caption", " Title = x "},
      {"Settings", "NoEquals", std::nullopt},
      {"Settings", "Empty", ""},
      {"Settings", "Left", std::nullopt},
      {"Other", "Top", "4"},
      {" Other", "Top", "3"},
      {"", "Blank", "1"},
      {"", "Key", "in []"},
      {"Missing", "Width", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(file.Find(c.section, c.name), c.value) << "[" << c.section << "] " << c.name;
}

TEST(IniFile, TypedReadsFallBackToTheirDefaults) {
  const IniFile file("[S]\nHex=0x280\nDollar=$280\nUnit=800px\nText=abc\n");
  EXPECT_EQ(file.ReadInteger("S", "Hex", 1), 640);
  EXPECT_EQ(file.ReadInteger("S", "Dollar", 1), 640);
  EXPECT_EQ(file.ReadInteger("S", "Unit", 640), 640);
  EXPECT_EQ(file.ReadInteger("S", "Unit", 7), 7);
  EXPECT_EQ(file.ReadInteger("S", "Absent", 9), 9);
  EXPECT_EQ(file.ReadString("S", "Text", "d"), "abc");
  EXPECT_EQ(file.ReadString("S", "Absent", "d"), "d");
}

}  // namespace
}  // namespace vnx

// Path texts judged on whole characters of a double-byte code page. The
// lead-byte test of Shift-JIS stands in for the system's: there 0x95 0x5C is
// one character whose second byte is the byte of "\".

#include "session/file_system_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vnx {
namespace {

bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

const std::string kTable = "\x95\x5C";      // one character ending in the byte 0x5C
const std::string kKatakanaA = "\x83\x41";  // one character ending in the byte of "A"

TEST(PathText, TrailingBackslashIsJudgedOnWholeCharacters) {
  struct Case {
    std::string path, with, without;
    bool ends;
  } const cases[] = {
      {"C:\\x", "C:\\x\\", "C:\\x", false},
      {"C:\\x\\", "C:\\x\\", "C:\\x", true},
      {"", "", "", false},
      {"\\", "\\", "", true},
      {"C:\\" + kTable, "C:\\" + kTable + "\\", "C:\\" + kTable, false},
      {"C:\\" + kTable + "\\", "C:\\" + kTable + "\\", "C:\\" + kTable, true},
      {"C:\\x\\\\", "C:\\x\\\\", "C:\\x\\", true},  // only one is removed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(EndsWithBackslash(c.path, ShiftJisLead), c.ends);
    EXPECT_EQ(WithTrailingBackslash(c.path, ShiftJisLead), c.with);
    EXPECT_EQ(WithoutTrailingBackslash(c.path, ShiftJisLead), c.without);
  }
  // A single-byte code page takes the same byte for a backslash.
  EXPECT_TRUE(EndsWithBackslash("C:\\" + kTable, NoLeadBytes));
}

TEST(PathText, FolderNameAndParentSkipSecondBytes) {
  struct Case {
    std::string path, folder, name, beforeBackslash;
  } const cases[] = {
      {"C:\\a\\b.txt", "C:\\a\\", "b.txt", "C:\\a"},
      {"C:b.txt", "C:", "b.txt", ""},
      {"b.txt", "", "b.txt", ""},
      {"a\\" + kTable + "x", "a\\", kTable + "x", "a"},
      {kTable + "\\x", kTable + "\\", "x", kTable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(c.path, ShiftJisLead), c.folder);
    EXPECT_EQ(NameOf(c.path, ShiftJisLead), c.name);
    EXPECT_EQ(BeforeLastBackslash(c.path, ShiftJisLead), c.beforeBackslash);
  }
}

TEST(PathText, LetterCaseChangesOnlySingleByteLetters) {
  EXPECT_EQ(LowerCaseName("Intro.EXE", ShiftJisLead), "intro.exe");
  EXPECT_EQ(LowerCaseName(kKatakanaA + "B.SWF", ShiftJisLead), kKatakanaA + "b.swf");
  EXPECT_EQ(UpperCaseName("pview.exe" + kKatakanaA + "a", ShiftJisLead), "PVIEW.EXE" + kKatakanaA + "A");
}

TEST(PathText, PlainNamesStayInTheirDirectory) {
  struct Case {
    std::string name;
    bool plain;
  } const cases[] = {
      {"viewer", true}, {"a.b", true},   {"...", true},  {kTable, true}, {"", false},    {".", false},
      {"..", false},    {"a\\b", false}, {"a/b", false}, {"c:x", false}, {"\\x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainName(c.name, ShiftJisLead), c.plain) << c.name;
}

TEST(DirectoriesToCreate, OutermostMissingDirectoryFirst) {
  const std::set<std::string> existing = {"C:", "C:\\", "C:\\have"};
  const auto isDirectory = [&](const std::string& path) { return existing.count(path) > 0; };
  struct Case {
    std::string path;
    std::vector<std::string> created;
  } const cases[] = {
      {"C:\\a\\b\\c\\", {"C:\\a", "C:\\a\\b", "C:\\a\\b\\c"}},
      {"C:\\have\\x", {"C:\\have\\x"}},
      {"C:\\have", {}},
      {"C:", {}},
      {"C:\\", {}},
      {"abc", {"abc"}},  // relative, no parent to create
      {"C:\\" + kTable + "\\", {"C:\\" + kTable}},
      {"C:\\" + kTable, {"C:\\" + kTable}},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoriesToCreate(c.path, ShiftJisLead, isDirectory), c.created) << c.path;
}

}  // namespace
}  // namespace vnx

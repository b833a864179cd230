#include "runner/program_identity.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(ExeStem, CutsBeforeTheFirstExeIgnoringCase) {
  struct Case {
    const char* name;
    const char* stem;
  } const cases[] = {
      {"show.exe", "show"},
      {"Show.EXE", "Show"},
      {"My.Exe.Show.exe", "My"},
      {"a.exes", "a"},
      {"show", ""},
      {"show.ex", ""},
      {".exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExeStemOf(c.name), c.stem) << c.name;
}

TEST(SetupArgument, SlashCInAnyCaseOnly) {
  EXPECT_TRUE(IsSetupArgument("/C"));
  EXPECT_TRUE(IsSetupArgument("/c"));
  EXPECT_FALSE(IsSetupArgument("/C "));
  EXPECT_FALSE(IsSetupArgument("-c"));
  EXPECT_FALSE(IsSetupArgument("/S"));
  EXPECT_FALSE(IsSetupArgument(""));
}

TEST(CommandLine, FirstArgumentFollowsQuotingRules) {
  struct Case {
    const char* commandLine;
    const char* first;
  } const cases[] = {
      {"show.exe /c", "/c"},
      {"\"C:\\Program Files\\show.exe\" /C", "/C"},
      {"\"C:\\Program Files\\show.exe\"", ""},
      {"show.exe", ""},
      {"show.exe    \t/c   more", "/c"},
      {"show.exe \"/c\"", "/c"},
      {"show.exe a\" b\"c d", "a bc"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstArgument(c.commandLine), c.first) << c.commandLine;
}

TEST(FileNamePart, TakesTheTextAfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\dir\\Show.EXE"), "Show.EXE");
  EXPECT_EQ(FileNamePart("C:show.exe"), "show.exe");
  EXPECT_EQ(FileNamePart("show.exe"), "show.exe");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

TEST(ProgramDirectory, DropsTheNameAndTheBackslashButKeepsADriveRoot) {
  EXPECT_EQ(ProgramDirectory("C:\\shows\\show.exe"), "C:\\shows");
  EXPECT_EQ(ProgramDirectory("C:\\show.exe"), "C:\\");
  EXPECT_EQ(ProgramDirectory("C:show.exe"), "C:");
  EXPECT_EQ(ProgramDirectory("\\\\server\\share\\show.exe"), "\\\\server\\share");
  EXPECT_EQ(ProgramDirectory("show.exe"), "");
}

}  // namespace
}  // namespace vnx

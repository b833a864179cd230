#include "session/exe_name.h"

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

TEST(FileNamePart, TakesTheTextAfterTheLastSeparator) {
  EXPECT_EQ(FileNamePart("C:\\dir\\Show.EXE"), "Show.EXE");
  EXPECT_EQ(FileNamePart("C:show.exe"), "show.exe");
  EXPECT_EQ(FileNamePart("show.exe"), "show.exe");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

}  // namespace
}  // namespace vnx

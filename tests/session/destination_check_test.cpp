#include "session/destination_check.h"

#include <gtest/gtest.h>

#include <string>

namespace vnx {
namespace {

TEST(DestinationCheck, FileNames) {
  struct Case {
    std::string name;
    bool safe;
  } const cases[] = {
      {"movie.exe", true},
      {"settings.ptools.ini", true},
      {".hidden", true},
      {"a b", true},
      {"console.txt", true},
      {"com10", true},
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},
      {".. ", false},
      {" ", false},
      {"a\\b", false},
      {"..\\evil.dll", false},
      {"a/b", false},
      {"/etc", false},
      {"c:evil", false},
      {"file.txt:stream", false},
      {std::string("a\0b", 3), false},
      {"CON", false},
      {"con.txt", false},
      {"Nul", false},
      {"aux .log", false},
      {"LPT1.dat", false},
      {"com9", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSafeFileName(c.name), c.safe) << '"' << c.name << '"';
}

TEST(DestinationCheck, SubdirectoriesAndPlacements) {
  struct Case {
    std::string placement;
    bool safeSubdirectory;
    bool safePlacement;
  } const cases[] = {
      {"a", true, true},
      {"a\\b", true, true},
      {"a/b", true, true},
      {"a\\b\\", true, true},
      {"data files\\x", true, true},
      {"", false, true},
      {".", false, true},
      {"PTOOL.", true, true},  // a tag; as a path it would be a plain folder name
      {"PTOOL.SATELLITE:PVIEW.EXE", false, true},
      {"ptool.x", true, true},  // tags are case-sensitive: this one is a subdirectory
      {"..", false, false},
      {"a\\..\\..\\b", false, false},
      {"a\\..", false, false},
      {"\\windows", false, false},
      {"/etc", false, false},
      {"C:\\windows", false, false},
      {"C:", false, false},
      {"a\\\\b", false, false},
      {"\\\\server\\share", false, false},
      {"a\\nul\\b", false, false},
      {"a\\ . \\b", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSafeSubdirectory(c.placement), c.safeSubdirectory) << '"' << c.placement << '"';
    EXPECT_EQ(IsSafePlacement(c.placement), c.safePlacement) << '"' << c.placement << '"';
  }
}

}  // namespace
}  // namespace vnx

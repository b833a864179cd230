#include "runner/os_version.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(OsClassification, FamiliesByPlatformAndVersion) {
  constexpr std::uint32_t k9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
  struct Case {
    std::uint32_t platform;
    unsigned major, minor;
    bool win95, win98, winMe, winNT5;
  } const cases[] = {
      {k9x, 4, 0, true, false, false, false},   // Windows 95
      {k9x, 4, 10, false, true, false, false},  // Windows 98
      {k9x, 4, 89, false, true, false, false},
      {k9x, 4, 90, false, false, true, false},               // Windows Me
      {k9x, 5, 0, false, false, true, false},                // anything else of the family counts as Me
      {kPlatformWin32Nt, 4, 0, false, false, false, false},  // NT 4
      {kPlatformWin32Nt, 5, 0, false, false, false, true},   // 2000
      {kPlatformWin32Nt, 5, 1, false, false, false, true},   // XP
      {kPlatformWin32Nt, 6, 1, false, false, false, false},  // 7
  };
  for (const Case& c : cases) {
    const OsFlags os = ClassifyOs(c.platform, c.major, c.minor);
    EXPECT_EQ(os.Win95, c.win95) << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(os.Win98, c.win98) << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(os.WinMe, c.winMe) << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(os.WinNT5, c.winNT5) << c.platform << " " << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace vnx

#include "tools/vnxpack/file_time_text.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(FileTimeText, UtcCalendarTime) {
  struct Case {
    std::uint64_t fileTime;
    const char* text;
  } const cases[] = {
      {0, "1601-01-01 00:00:00"},
      {116'444'736'000'000'000ull, "1970-01-01 00:00:00"},
      {126'256'467'067'000'000ull, "2001-02-03 04:05:06"},
      {125'963'423'990'000'000ull, "2000-02-29 23:59:59"},
      {137'919'572'480'000'000ull, "2038-01-19 03:14:08"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileTimeText(c.fileTime), c.text) << c.fileTime;
}

}  // namespace
}  // namespace vnx

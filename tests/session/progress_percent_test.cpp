#include "session/progress_percent.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(ProgressPercent, MulDivRoundsHalfAwayFromZeroAndFailsAsMinusOne) {
  struct Case {
    std::int32_t a, b, c, expected;
  } const cases[] = {
      {100, 0, 0, -1},
      {100, 5, 0, -1},
      {100, 1, 3, 33},
      {100, 2, 3, 67},
      {100, 1, 200, 1},
      {100, -1, 200, -1},
      {100, 3, 200, 2},
      {100, 1, 201, 0},
      {100, 50, 100, 50},
      {100, 7, -2, -350},
      {100, INT32_MAX, 1, -1},
      {100, INT32_MAX, INT32_MAX, 100},
      {100, -2000000000, -2000000000, 100},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
}  // namespace vnx

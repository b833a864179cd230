// MulDiv must give the pixels Windows gives: 64-bit product, rounding to the
// nearest with halves away from zero, -1 for a zero divisor or an overflow.

#include "window/mul_div.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vnx {
namespace {

constexpr std::int32_t kMax = INT32_MAX, kMin = INT32_MIN;

static_assert(MulDiv(480, 800, 640) == 600, "usable in constant expressions");

TEST(MulDiv, RoundsAndFailsLikeWindows) {
  struct Case {
    std::int32_t a, b, c, expected;
  } const cases[] = {
      {480, 800, 640, 600},  // exact
      {0, 5, 7, 0},
      {0, -5, 7, 0},
      {2, 1, 3, 1},    // 0.67 rounds up
      {1, 1, 3, 0},    // 0.33 rounds down
      {-2, 1, 3, -1},  // -0.67
      {-1, 1, 3, 0},
      {1, 1, 2, 1},  // halves go away from zero, not to even
      {5, 1, 2, 3},
      {3, 1, 2, 2},
      {-1, 1, 2, -1},
      {-5, 1, 2, -3},
      {5, -1, 2, -3},
      {5, 1, -2, -3},
      {-5, -1, 2, 3},
      {-5, 1, -2, 3},
      {-5, -1, -2, -3},
      {480, 641, 640, 481},  // 480.75
      {480, 642, 640, 482},  // 481.5
      {5, 5, 0, -1},         // zero divisor
      {0, 0, 0, -1},
      {100000, 100000, 100000, 100000},  // the product needs 64 bits
      {kMax, kMax, kMax, kMax},
      {kMin, 1, 2, -1073741824},
      {kMax, 2, 1, -1},  // overflow
      {kMax, kMax, 1, -1},
      {kMin, 1, 1, -1},  // -2^31 counts as out of range
      {kMin, 1, -1, -1},
      {kMin, -1, -1, -1},
      {-kMax, 1, 1, -kMax},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

}  // namespace
}  // namespace vnx

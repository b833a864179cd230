// The portable window arithmetic against the system: MulDiv over a grid that
// covers signs, halves, zero divisors and the edges of the 32-bit range, and
// the sizing edges against WM_SIZING's WMSZ_* values.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "window/mul_div.h"
#include "window/ratio_sizing.h"

namespace vnx {
namespace {

static_assert(kSizingLeft == WMSZ_LEFT && kSizingRight == WMSZ_RIGHT && kSizingTop == WMSZ_TOP &&
              kSizingTopLeft == WMSZ_TOPLEFT && kSizingTopRight == WMSZ_TOPRIGHT && kSizingBottom == WMSZ_BOTTOM &&
              kSizingBottomLeft == WMSZ_BOTTOMLEFT && kSizingBottomRight == WMSZ_BOTTOMRIGHT);

TEST(MulDiv, AgreesWithTheSystem) {
  const std::vector<std::int32_t> values = {
      0,    1,   -1,  2,    -2,    3,      -3,      7,          -7,        479,           480,
      -480, 640, 641, -641, 65535, -65536, 1 << 20, -(1 << 20), INT32_MAX, INT32_MAX - 1, -INT32_MAX};
  for (std::int32_t a : values)
    for (std::int32_t b : values)
      for (std::int32_t c : values) EXPECT_EQ(vnx::MulDiv(a, b, c), ::MulDiv(a, b, c)) << a << " * " << b << " / " << c;
  // INT32_MIN only with positive divisors: there the system's sign handling
  // is well defined.
  for (std::int32_t b : values)
    for (std::int32_t c : {1, 2, 3, 640, INT32_MAX})
      EXPECT_EQ(vnx::MulDiv(INT32_MIN, b, c), ::MulDiv(INT32_MIN, b, c)) << "min * " << b << " / " << c;
}

}  // namespace
}  // namespace vnx

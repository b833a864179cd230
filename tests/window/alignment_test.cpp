// The alignment table of the fitting: start, centre (truncated toward zero)
// and end on each axis, other values and full screen leaving the position.

#include "window/alignment.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vnx {
namespace {

TEST(Alignment, OneAxis) {
  struct Case {
    const char* name;
    std::int32_t alignment, screenStart, screenEnd, extent, current, expected;
  } const cases[] = {
      {"start is the literal 0", 1, 0, 1024, 640, 55, 0},
      {"start ignores a shifted screen", 1, 100, 1124, 640, 55, 0},
      {"centre", 2, 0, 1024, 640, 55, 192},
      {"centre on a shifted screen", 2, 100, 1124, 640, 55, 292},
      {"centre, odd remainder", 2, 0, 1024, 641, 55, 191},
      {"centre, one pixel too wide truncates to 0", 2, 0, 1024, 1025, 55, 0},
      {"centre, three pixels too wide", 2, 0, 1024, 1027, 55, -1},
      {"end", 3, 0, 768, 480, 55, 288},
      {"end, wider than the screen", 3, 0, 1024, 1100, 55, -76},
      {"0 keeps the position", 0, 0, 1024, 640, 55, 55},
      {"4 keeps the position", 4, 0, 1024, 640, -20, -20},
      {"negative keeps the position", -1, 0, 1024, 640, 7, 7},
      {"extreme sizes do not wrap", 3, 0, INT32_MAX, INT32_MIN, 0, INT32_MAX},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AlignOnAxis(c.alignment, c.screenStart, c.screenEnd, c.extent, c.current), c.expected) << c.name;
}

TEST(Alignment, BothAxesAndFullScreen) {
  AlignmentRequest r;
  r.ScreenRight = 1024;
  r.ScreenBottom = 768;
  r.WindowLeft = 10;
  r.WindowTop = 20;
  r.WindowWidth = 640;
  r.WindowHeight = 480;
  r.AlignmentH = 2;
  r.AlignmentV = 3;
  EXPECT_EQ(AlignWindow(r), (WindowOrigin{192, 288}));

  r.AlignmentV = 0;
  EXPECT_EQ(AlignWindow(r), (WindowOrigin{192, 20}));

  r.AlignmentH = 3;
  r.AlignmentV = 1;
  EXPECT_EQ(AlignWindow(r), (WindowOrigin{384, 0}));

  r.FullScreen = true;
  EXPECT_EQ(AlignWindow(r), (WindowOrigin{10, 20}));
}

}  // namespace
}  // namespace vnx

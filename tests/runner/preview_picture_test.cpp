#include "runner/preview_picture.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(PreviewPicture, TheIconIsCentredAndNeverLargerThanTheHost) {
  struct Case {
    std::int32_t width, height, iconSide;
    IconSquare expected;
  } const cases[] = {
      {152, 112, 32, {60, 40, 32}},  // the settings' little monitor
      {153, 113, 32, {60, 40, 32}},  // an odd pixel stays on the right and below
      {20, 40, 32, {0, 10, 20}},     // a host smaller than the icon
      {32, 32, 32, {0, 0, 32}},     {0, 112, 32, {}}, {-5, 10, 32, {}}, {152, 112, 0, {}},  // no icon size known
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PreviewIconSquare(c.width, c.height, c.iconSide), c.expected) << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace vnx

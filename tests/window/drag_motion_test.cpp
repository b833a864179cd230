#include "window/drag_motion.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(DragMotion, StartsAtEightPixelsThenFollowsEveryMotion) {
  struct Case {
    DragPoint cursor;
    bool moved;
    DragStep step;
  } const cases[] = {
      {{100, 100}, false, {}},            // a click without motion
      {{107, 93}, false, {}},             // a 7-pixel wobble in both axes
      {{108, 100}, false, {true, 8, 0}},  // 8 pixels in x
      {{100, 92}, false, {true, 0, -8}},  // 8 pixels in y
      {{101, 100}, true, {true, 1, 0}},   // once moving, 1 pixel counts
      {{100, 100}, true, {true, 0, 0}},
  };
  for (const Case& c : cases) {
    const DragStep step = NextDragStep({100, 100}, c.cursor, c.moved);
    EXPECT_EQ(step.move, c.step.move);
    EXPECT_EQ(step.dx, c.step.dx);
    EXPECT_EQ(step.dy, c.step.dy);
  }
}

}  // namespace
}  // namespace vnx

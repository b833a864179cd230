// Ratio-keeping sizing on a 640x480 reference: which edge is recomputed for
// each side and corner, how the cursor decides at a corner, and the rounding.

#include "window/ratio_sizing.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

constexpr PixelSize kReference{640, 480};
// The window before this step of the drag: (100, 100) to (740, 580).
constexpr WindowBox kPrevious{100, 100, 640, 480};

struct Case {
  const char* name;
  int edge;
  EdgeRect proposed;
  PixelPoint cursor;
  EdgeRect expected;
};

void Check(const Case& c, PixelSize reference = kReference) {
  EXPECT_EQ(KeepRatioWhileSizing(c.edge, c.proposed, reference, kPrevious, c.cursor), c.expected) << c.name;
}

TEST(RatioSizing, SidesRecomputeTheBottomOrTheRightEdge) {
  const Case cases[] = {
      {"right edge to width 800 gives height 600",
       kSizingRight,
       {100, 100, 900, 580},
       {900, 300},
       {100, 100, 900, 700}},
      {"right edge shrinking", kSizingRight, {100, 100, 420, 580}, {420, 300}, {100, 100, 420, 340}},
      {"left edge", kSizingLeft, {0, 100, 740, 580}, {0, 300}, {0, 100, 740, 655}},   // 555
      {"top edge", kSizingTop, {100, 40, 740, 580}, {400, 40}, {100, 40, 820, 580}},  // 720
      {"bottom edge", kSizingBottom, {100, 100, 740, 700}, {400, 700}, {100, 100, 900, 700}},
      {"rounding up from .75", kSizingRight, {100, 100, 741, 580}, {741, 300}, {100, 100, 741, 581}},
      {"a half rounds away from zero", kSizingRight, {100, 100, 742, 580}, {742, 300}, {100, 100, 742, 582}},
  };
  for (const Case& c : cases) Check(c);
}

TEST(RatioSizing, CornersFollowTheCursorsNearerEdge) {
  const Case cases[] = {
      // Top-left: dx from the old left edge (100), dy from the old top edge (100).
      {"top-left, mostly sideways: height stays, left moves",
       kSizingTopLeft,
       {60, 95, 740, 580},
       {60, 95},
       {93, 95, 740, 580}},
      {"top-left, mostly upwards: width stays, top moves",
       kSizingTopLeft,
       {95, 40, 740, 580},
       {95, 40},
       {95, 96, 740, 580}},
      {"top-left, a tie keeps the height", kSizingTopLeft, {90, 90, 740, 580}, {90, 90}, {87, 90, 740, 580}},
      // Top-right: dx from the old right edge (740).
      {"top-right, sideways: right moves", kSizingTopRight, {100, 98, 780, 580}, {780, 98}, {100, 98, 743, 580}},
      {"top-right, upwards: top moves", kSizingTopRight, {100, 50, 742, 580}, {742, 50}, {100, 98, 742, 580}},
      // Bottom-left: dy from the old bottom edge (580).
      {"bottom-left, downwards: bottom moves", kSizingBottomLeft, {90, 100, 740, 700}, {90, 700}, {90, 100, 740, 588}},
      {"bottom-left, sideways: left moves", kSizingBottomLeft, {20, 100, 740, 590}, {20, 590}, {87, 100, 740, 590}},
      {"bottom-right, sideways: right moves",
       kSizingBottomRight,
       {100, 100, 800, 600},
       {800, 600},
       {100, 100, 767, 600}},
      {"bottom-right, downwards: bottom moves",
       kSizingBottomRight,
       {100, 100, 750, 700},
       {750, 700},
       {100, 100, 750, 588}},
  };
  for (const Case& c : cases) Check(c);
}

TEST(RatioSizing, LeavesTheRectangleAloneWhenThereIsNothingToDo) {
  const EdgeRect proposed{100, 100, 900, 580};
  for (int edge : {0, 9, 10, -1, 0x7FFFFFFF})
    EXPECT_EQ(KeepRatioWhileSizing(edge, proposed, kReference, kPrevious, {900, 300}), proposed) << edge;
  // A reference without area has no shape to keep: the drag goes through
  // instead of folding the window to a height of -1.
  for (PixelSize reference : {PixelSize{0, 480}, PixelSize{640, 0}, PixelSize{-640, 480}})
    for (int edge = kSizingLeft; edge <= kSizingBottomRight; ++edge)
      EXPECT_EQ(KeepRatioWhileSizing(edge, proposed, reference, kPrevious, {900, 300}), proposed) << edge;
}

}  // namespace
}  // namespace vnx

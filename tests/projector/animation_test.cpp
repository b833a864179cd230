// The gliding light stays wholly on the stage, moves gently and has no jump
// where its path repeats.

#include "projector/animation.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vnx {
namespace {

TEST(Animation, StaysOnTheStageAndMovesGently) {
  const struct { std::int32_t width, height; } stages[] = {{640, 480}, {1024, 768}, {4096, 64}, {101, 77}, {64, 4096}};
  for (const auto& stage : stages) {
    const int maxStep = std::max(stage.width, stage.height) / 50;
    GlideFrame previous = GlideAt(0, stage.width, stage.height);
    for (std::uint32_t t = 50; t <= 2 * kGlidePeriodMs; t += 50) {
      const GlideFrame f = GlideAt(t, stage.width, stage.height);
      ASSERT_GT(f.Radius, 0);
      ASSERT_GE(f.X - f.Radius, 0) << t;
      ASSERT_LE(f.X + f.Radius, stage.width) << t;
      ASSERT_GE(f.Y - f.Radius, 0) << t;
      ASSERT_LE(f.Y + f.Radius, stage.height) << t;
      ASSERT_LE(std::abs(f.X - previous.X), maxStep) << stage.width << "x" << stage.height << " at " << t;
      ASSERT_LE(std::abs(f.Y - previous.Y), maxStep) << stage.width << "x" << stage.height << " at " << t;
      previous = f;
    }
  }
}

TEST(Animation, ItMovesAndRepeats) {
  const GlideFrame start = GlideAt(0, 640, 480), later = GlideAt(5000, 640, 480);
  EXPECT_NE(start.X, later.X);
  EXPECT_NE(start.Y, later.Y);
  const GlideFrame again = GlideAt(kGlidePeriodMs + 5000, 640, 480);
  EXPECT_EQ(again.X, later.X);
  EXPECT_EQ(again.Y, later.Y);
}

TEST(Animation, TinyOrEmptyStagesDoNotBreakIt) {
  for (auto [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{-5, 10}, std::pair{3, 500}}) {
    const GlideFrame f = GlideAt(1234, w, h);
    EXPECT_GE(f.X - f.Radius, 0);
    EXPECT_GE(f.Y - f.Radius, 0);
    EXPECT_LE(f.X + f.Radius, std::max(w, 0));
    EXPECT_LE(f.Y + f.Radius, std::max(h, 0));
  }
}

}  // namespace
}  // namespace vnx

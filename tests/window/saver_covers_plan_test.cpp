#include "window/saver_covers_plan.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

using Rects = std::vector<ScreenRect>;

TEST(SaverCovers, ThePresentationTakesOneMonitorAndTheOthersAreCovered) {
  const ScreenRect primary{0, 0, 1024, 768};
  struct Case {
    const char* name;
    std::vector<MonitorArea> monitors;
    ScreenRect window;
    std::size_t presentationMonitor;
    Rects covers;
  } const cases[] = {
      {"one monitor", {{primary, true}}, primary, 0, {}},
      {"no monitor at all", {}, primary, 0, {}},
      {"second monitor to the right",
       {{primary, true}, {{1024, 0, 2304, 1024}, false}},
       primary,
       0,
       {{1024, 0, 2304, 1024}}},
      {"second monitor to the left and above, at negative coordinates",
       {{primary, true}, {{-1280, -256, 0, 768}, false}},
       {192, 144, 832, 624},  // a 640x480 window centred on the primary
       0,
       {{-1280, -256, 0, 768}}},
      {"portrait monitor listed first",
       {{{-1080, -600, 0, 1320}, false}, {primary, true}},
       primary,
       1,
       {{-1080, -600, 0, 1320}}},
      {"three monitors",
       {{{-800, 0, 0, 600}, false}, {primary, true}, {{1024, -100, 2048, 668}, false}},
       primary,
       1,
       {{-800, 0, 0, 600}, {1024, -100, 2048, 668}}},
      {"a window mostly on the second monitor takes that one",
       {{primary, true}, {{1024, 0, 2048, 768}, false}},
       {900, 100, 1900, 700},
       1,
       {{0, 0, 1024, 100}, {0, 700, 1024, 768}, {0, 100, 900, 700}}},
      {"a window on no monitor: the primary one",
       {{{1024, 0, 2048, 768}, false}, {primary, true}},
       {5000, 5000, 5640, 5480},
       1,
       {{1024, 0, 2048, 768}}},
      {"no primary flagged: the first",
       {{primary, false}, {{1024, 0, 2048, 768}, false}},
       {5000, 5000, 5640, 5480},
       0,
       {{1024, 0, 2048, 768}}},
      {"a mirrored monitor is never covered", {{primary, true}, {primary, false}}, primary, 0, {}},
      {"two mirrored others are covered once",
       {{primary, true}, {{1024, 0, 2048, 768}, false}, {{1024, 0, 2048, 768}, false}},
       primary,
       0,
       {{1024, 0, 2048, 768}}},
      {"an overlapping monitor is covered outside the presentation's",
       {{primary, true}, {{512, 384, 1536, 1152}, false}},
       primary,
       0,
       {{512, 768, 1536, 1152}, {1024, 384, 1536, 768}}},
      {"an empty monitor rectangle is skipped", {{primary, true}, {{1024, 0, 1024, 768}, false}}, primary, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SaverCoverPlan plan = PlanSaverCovers(c.monitors, c.window);
    EXPECT_EQ(plan.PresentationMonitor, c.presentationMonitor);
    EXPECT_EQ(plan.Covers, c.covers);
  }
}

// A window that reaches over the edge of its monitor is never hidden by a
// cover of the next one.
TEST(SaverCovers, ACoverLeavesThePresentationsWindowFree) {
  const SaverCoverPlan plan =
      PlanSaverCovers({{{0, 0, 1024, 768}, true}, {{1024, 0, 2048, 768}, false}}, {100, 100, 1200, 500});
  EXPECT_EQ(plan.PresentationMonitor, 0u);
  EXPECT_EQ(plan.Covers, (Rects{{1024, 0, 2048, 100}, {1024, 500, 2048, 768}, {1200, 100, 2048, 500}}));
}

TEST(SaverCovers, TheMouseOnACoverEndsThePresentationAsTheSettingsSay) {
  struct Step {
    bool press;
    std::int32_t x, y;
    bool ends;
  };
  struct Case {
    const char* name;
    bool exitOnMouse;
    std::vector<Step> steps;
  } const cases[] = {
      {"the first move only anchors", true, {{false, 10, 10, false}, {false, 14, 14, false}}},
      {"a move by the distance ends", true, {{false, 10, 10, false}, {false, 15, 10, true}}},
      {"in y and backwards too", true, {{false, 10, 10, false}, {false, 10, 5, true}}},
      {"a press ends at once", true, {{true, 10, 10, true}}},
      {"mouse use allowed: nothing ends",
       false,
       {{false, 10, 10, false}, {false, 500, 500, false}, {true, 1, 1, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoverMouseState state;
    for (const Step& s : c.steps) EXPECT_EQ(CoverMouseEnds(c.exitOnMouse, state, s.press, s.x, s.y, 5), s.ends);
  }
}

TEST(SaverCovers, AKeyOnACoverEndsThePresentationAsTheSettingsSay) {
  struct Case {
    const char* name;
    bool exitOnAnyKey, exitOnEsc, escape, ends;
  } const cases[] = {
      {"any key ends without key interaction", true, false, false, true},
      {"Esc ends without key interaction", true, false, true, true},
      {"Esc ends with ExitOnESC", false, true, true, true},
      {"another key does not end with ExitOnESC alone", false, true, false, false},
      {"Esc does not end without ExitOnESC", false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CoverKeyEnds(c.exitOnAnyKey, c.exitOnEsc, c.escape), c.ends);
  }
}

}  // namespace
}  // namespace vnx

// A short run of chaos: presentations whose runner or projector is killed
// before, while and after the projector comes up, each followed by a normal
// presentation. bench/run_chaos.sh runs two hundred rounds at random instants.

#include <gtest/gtest.h>

#include "tests/e2e/chaos.h"

namespace vnx::test {
namespace {

TEST(Chaos, KilledAtAnyInstantNothingIsLostAndNothingLeft) {
  Chaos chaos;
  ChaosFigures figures;
  struct Kill {
    bool runner;
    DWORD afterMs;
  } const kills[] = {{true, 100}, {false, 400}, {true, 1500}, {false, 2500}, {true, 2500}};
  for (const Kill& kill : kills) chaos.Round(kill.runner, kill.afterMs, figures);
  chaos.Inspect(figures);
  EXPECT_EQ(figures.FailedStarts, 0);
  EXPECT_EQ(figures.UncleanEnds, 0);
  EXPECT_EQ(figures.StrayProjectors, 0);
  EXPECT_EQ(figures.Mappings, 0);
  EXPECT_EQ(figures.Atoms, 0);
  EXPECT_EQ(figures.LeftBehind, std::vector<std::string>{});
  for (const std::string& problem : figures.Problems) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace vnx::test

// Runners started at the same moment, as a viewer who double-clicks twice or
// a kiosk script starts them: every one shows its own presentation with its
// own settings, in a working directory and instance of its own, without an
// error box, and after they end nothing is left but what the next start of
// the system removes. bench/run_concurrent_starts.sh runs many more rounds.

#include <gtest/gtest.h>

#include "tests/e2e/runner_crowd.h"

namespace vnx::test {
namespace {

void ExpectEveryoneShownAndNothingLeft(const CrowdRound& round, int runners) {
  EXPECT_EQ(round.Started, runners);
  EXPECT_EQ(round.Shown, runners);
  EXPECT_EQ(round.ErrorBoxes, 0);
  EXPECT_EQ(round.WrongSettings, 0);
  EXPECT_EQ(round.Collisions, 0);
  EXPECT_EQ(round.UncleanEnds, 0);
  EXPECT_EQ(round.LeftBehind, std::vector<std::string>{});
  for (const std::string& problem : round.Problems) ADD_FAILURE() << problem;
}

TEST(ConcurrentPresentations, SixRunnersOfOneExecutable) {
  RunnerCrowd crowd(1);
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectEveryoneShownAndNothingLeft(crowd.Round(6), 6);
  }
}

TEST(ConcurrentPresentations, TenRunnersOfTenExecutables) {
  RunnerCrowd crowd(10);
  ExpectEveryoneShownAndNothingLeft(crowd.Round(1), 10);
}

}  // namespace
}  // namespace vnx::test

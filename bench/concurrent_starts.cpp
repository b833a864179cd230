// Runners started at the same moment, many rounds: one line of figures per
// round and every fault seen. bench/run_concurrent_starts.sh runs it under
// Wine, one round per call with a restart of the prefix in between.
//
//   concurrent_starts_bench EXECUTABLES RUNNERS_EACH ROUNDS TEMP_BASE
//
// Exits 1 when any round saw a fault.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/runner_crowd.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: concurrent_starts_bench EXECUTABLES RUNNERS_EACH ROUNDS TEMP_BASE\n");
    return 2;
  }
  const int executables = std::atoi(argv[1]), each = std::atoi(argv[2]), rounds = std::atoi(argv[3]);
  vnx::test::RunnerCrowd crowd(executables, argv[4]);
  bool clean = true;
  for (int r = 1; r <= rounds; ++r) {
    const vnx::test::CrowdRound round = crowd.Round(each);
    std::printf(
        "started %d shown %d error-boxes %d wrong-settings %d collisions %d unclean-ends %d left %zu "
        "all-shown-ms %lu\n",
        round.Started, round.Shown, round.ErrorBoxes, round.WrongSettings, round.Collisions, round.UncleanEnds,
        round.LeftBehind.size(), static_cast<unsigned long>(round.MillisecondsToAllShown));
    for (const std::string& problem : round.Problems) std::printf("  problem: %s\n", problem.c_str());
    std::fflush(stdout);
    clean = clean && round.Problems.empty() && round.Shown == round.Started;
  }
  return clean ? 0 : 1;
}

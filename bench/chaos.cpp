// Chaos at random instants: ROUNDS presentations whose runner (odd rounds)
// or projector (even rounds) is killed between 0 and 3 s after the start,
// each followed by a normal presentation; then what is left is inspected.
//
//   chaos_bench ROUNDS SEED TEMP_BASE
//
// Prints the figures and every fault; exits 1 when there was one.
// bench/run_chaos.sh runs it in batches with a restart of the prefix between.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/e2e/chaos.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: chaos_bench ROUNDS SEED TEMP_BASE\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
  std::uniform_int_distribution<DWORD> instant(0, 3000);
  vnx::test::Chaos chaos(argv[3]);
  vnx::test::ChaosFigures figures;
  using Victim = vnx::test::Chaos::Victim;
  for (int round = 0; round < rounds; ++round)
    chaos.Round(round % 2 == 0 ? Victim::Runner : Victim::Projector, instant(random), figures);
  chaos.Inspect(figures);
  std::printf(
      "rounds %d runner-kills %d projector-kills %d killed-before-projector %d failed-starts %d "
      "unclean-ends %d stray-projectors %d mappings %d atoms %d left %zu\n",
      figures.Rounds, figures.RunnerKills, figures.ProjectorKills, figures.KilledBeforeTheProjector,
      figures.FailedStarts, figures.UncleanEnds, figures.StrayProjectors, figures.Mappings, figures.Atoms,
      figures.LeftBehind.size());
  for (const auto& problem : figures.Problems) std::printf("  problem: %s\n", problem.c_str());
  return figures.Problems.empty() ? 0 : 1;
}

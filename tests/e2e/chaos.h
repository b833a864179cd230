#pragma once
// Presentations killed at any instant, as a crash, a task manager or a
// power user ends them: the runner or the projector terminated by its
// process id some time after the start, then a normal presentation that
// must come up, close on WM_CLOSE and clean up behind itself. Afterwards the
// machine is inspected for what the killed ones may have left: files below
// the temporary base directory, projector processes, control-block mappings
// and start-up atoms.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/packed_show.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

struct ChaosFigures {
  int Rounds = 0;
  int RunnerKills = 0, ProjectorKills = 0;
  int KilledBeforeTheProjector = 0;  // runner kills that came before any projector ran
  int FailedStarts = 0;              // normal presentations that did not come up
  int UncleanEnds = 0;               // runners that did not end, or not with exit code 0
  int StrayProjectors = 0;           // projector processes alive after their runner
  int Mappings = 0, Atoms = 0;       // kernel objects of ours still there after all rounds
  std::vector<std::string> LeftBehind;
  std::vector<std::string> Problems;
};

class Chaos {
 public:
  // The temporary base directory is a scratch directory unless one is given.
  explicit Chaos(std::string tempBase = {});
  ~Chaos();
  Chaos(const Chaos&) = delete;
  Chaos& operator=(const Chaos&) = delete;

  enum class Victim {
    Runner,
    Projector,
    RunnerAtProjectorsBirth,  // the runner, the moment its projector process exists (killAfterMs unused)
  };
  // One round: a presentation whose runner or projector is killed
  // killAfterMs after its start, then a normal one.
  void Round(Victim victim, DWORD killAfterMs, ChaosFigures& figures);
  // What the rounds left behind: files not queued for deletion at the next
  // start, projector processes, mappings and start-up atoms.
  void Inspect(ChaosFigures& figures) const;

 private:
  ScratchDirectory scratch_{"chaos", ScratchDirectory::Removal::Lenient};
  std::string tempBase_, show_, stem_;
  std::unique_ptr<ShowRegistrySection> registry_;
  int highestInstance_ = 0;
};

}  // namespace vnx::test

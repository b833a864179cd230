#include "runner/work_dir_claim.h"

#include "common/errors.h"
#include "contract/control_block.h"

namespace vnx {

std::string WorkDirCandidate(const std::string& tempBase, std::int32_t instance) {
  return tempBase + std::string(kWorkDirBaseName) + (instance == 0 ? std::string() : std::to_string(instance));
}

std::string ClaimWorkDir(const WorkDirOperations& operations, const std::string& tempBase, std::int32_t& instance) {
  using Created = WorkDirOperations::Created;
  using Claim = WorkDirOperations::Claim;
  instance = 0;
  std::string candidate = WorkDirCandidate(tempBase, instance);
  bool reclaimed = false;
  for (;;) {
    const Created created = operations.CreateDirectory(candidate);
    if (created == Created::Failed) throw ERunnerError("Can't create dir " + candidate);
    if (created == Created::Yes) {
      const Claim claim = operations.HoldClaim(candidate);
      if (claim == Claim::Held) return candidate;
      if (claim == Claim::Failed) throw ERunnerError("Can't create dir " + candidate);
    } else if (!reclaimed && !operations.ClaimHeldByOther(candidate) && operations.TreeNotInUse(candidate)) {
      operations.GiveSoundBack(candidate);
      // A directory that the shell reported deleted but that is still there
      // counts as not deletable, so the claim cannot go round for ever.
      if (operations.DeleteTree(candidate)) {
        reclaimed = true;
        continue;
      }
    }
    reclaimed = false;
    candidate = WorkDirCandidate(tempBase, ++instance);
  }
}

void SweepDeadRunnersWorkDirs(const WorkDirOperations& operations, const std::vector<std::string>& directories) {
  for (const std::string& directory : directories) {
    if (operations.ClaimHeldByOther(directory)) continue;
    operations.GiveSoundBack(directory);
    if (!operations.TreeNotInUse(directory) || !operations.DeleteTree(directory))
      operations.DeleteTreeAtNextStart(directory);
  }
}

}  // namespace vnx

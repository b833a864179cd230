#include "runner/work_dir_claim.h"

#include <windows.h>

#include "common/errors.h"
#include "runner/control_block.h"
#include "runner/shell_delete.h"
#include "session/file_system.h"

namespace vnx {

std::string WorkDirCandidate(const std::string& tempBase, std::int32_t instance) {
  return tempBase + std::string(kWorkDirBaseName) + (instance == 0 ? std::string() : std::to_string(instance));
}

std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance) {
  instance = 0;
  std::string candidate = WorkDirCandidate(tempBase, instance);
  bool reclaimed = false;
  for (;;) {
    if (CreateDirectoryA(candidate.c_str(), nullptr)) return candidate;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw ERunnerError("Can't create dir " + candidate);
    // A directory that the shell reported deleted but that is still there
    // is taken as not deletable, so the claim cannot go round for ever.
    if (!reclaimed && TreeNotInUse(candidate) && ShellDelete(candidate, kQuietDelete)) {
      reclaimed = true;
      continue;
    }
    reclaimed = false;
    candidate = WorkDirCandidate(tempBase, ++instance);
  }
}

}  // namespace vnx

#pragma once
// Choosing this runner's instance number and private working directory under
// the temporary base directory: "Vnx_Rt", "Vnx_Rt1", "Vnx_Rt2", ...
//
// A directory belongs to the runner that holds its claim file open without
// sharing, from the moment the directory is created or reclaimed until just
// before the cleanup removes it. A runner that dies loses its handle, so its
// directory becomes reclaimable once nothing else in it is in use.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "contract/shared_names.h"

namespace vnx {

// "Vnx_Rt" for instance 0, "Vnx_Rt" + the number otherwise, below tempBase
// (which ends in "\").
std::string WorkDirCandidate(const std::string& tempBase, std::int32_t instance);

struct WorkDirOperations {
  enum class Created { Yes, AlreadyExists, Failed };
  enum class Claim { Held, HeldByOther, Failed };
  std::function<Created(const std::string& directory)> CreateDirectory;
  // Opens the claim file of a directory this runner has just created and
  // keeps it. HeldByOther: another runner's claim got there first. Failed:
  // no file can be made there (the operation removes the empty directory).
  std::function<Claim(const std::string& directory)> HoldClaim;
  // A live runner holds the directory's claim file.
  std::function<bool(const std::string& directory)> ClaimHeldByOther;
  std::function<bool(const std::string& directory)> TreeNotInUse;
  // A directory whose runner died: the sound that runner silenced comes back.
  std::function<void(const std::string& directory)> GiveSoundBack;
  std::function<bool(const std::string& directory)> DeleteTree;  // true when the shell reports success
  // Deletes what can go now and queues the rest for the next start of the
  // system (a file some other process still holds).
  std::function<void(const std::string& directory)> DeleteTreeAtNextStart;
};

// Creates the first candidate that is free and claims it, reclaiming one
// that a crashed or killed runner left behind (its claim not held and nothing
// in it in use; the sound it silenced is given back first) and passing over
// those claimed, in use or not deletable. A claimed directory's files are
// never touched. Returns the directory without a trailing "\" and sets
// instance. Raises "Can't create dir " + candidate when a directory cannot be
// made, or claimed, for another reason than that another runner has it.
std::string ClaimWorkDir(const WorkDirOperations& operations, const std::string& tempBase, std::int32_t& instance);

// Removes the working directories that runners which died left behind, among
// the given ones: those whose claim nobody holds. The sound such a runner
// silenced comes back first; a directory in which something still holds a
// file goes at the next start of the system. Claimed directories are not
// touched.
void SweepDeadRunnersWorkDirs(const WorkDirOperations& operations, const std::vector<std::string>& directories);

}  // namespace vnx

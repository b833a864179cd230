#pragma once
// The working-directory claim on the real file system.

#include <cstdint>
#include <string>

#include "common/handle.h"

namespace vnx {

// Claims the working directory as ClaimWorkDir does; claim receives the open
// claim file, which the session holds until its cleanup.
std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance, UniqueFileHandle& claim);

// Removes what runners that died left below the temporary base directory:
// their working directories (see SweepDeadRunnersWorkDirs), except this
// runner's own, and the settings pass directories of ended processes.
void SweepLeftoversOfDeadRunners(const std::string& tempBase, const std::string& ownWorkDir);

// Closes and deletes the claim file of a working directory (with its
// trailing "\"): from now on the directory may be reclaimed.
void ReleaseWorkDirClaim(const std::string& workDir, UniqueFileHandle& claim);

}  // namespace vnx

#pragma once
// Choosing this runner's instance number and private working directory under
// the temporary base directory: "Vnx_Rt", "Vnx_Rt1", "Vnx_Rt2", ...

#include <cstdint>
#include <functional>
#include <string>

namespace vnx {

// "Vnx_Rt" for instance 0, "Vnx_Rt" + the number otherwise, below tempBase
// (which ends in "\").
std::string WorkDirCandidate(const std::string& tempBase, std::int32_t instance);

struct WorkDirOperations {
  enum class Created { Yes, AlreadyExists, Failed };
  std::function<Created(const std::string& directory)> CreateDirectory;
  std::function<bool(const std::string& directory)> TreeNotInUse;
  std::function<bool(const std::string& directory)> DeleteTree;  // true when the shell reports success
};

// Creates the first candidate that is free, reclaiming one that a crashed or
// killed runner left behind (nothing in it is in use) and passing over those
// in use or not deletable. Returns the directory without a trailing "\" and
// sets instance. Raises "Can't create dir " + candidate when a directory
// cannot be made for another reason than that it exists.
std::string ClaimWorkDir(const WorkDirOperations& operations, const std::string& tempBase, std::int32_t& instance);

// The same on the real file system.
std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance);

}  // namespace vnx

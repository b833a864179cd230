#pragma once
// Choosing this runner's instance number and private working directory under
// the temporary base directory: "Vnx_Rt", "Vnx_Rt1", "Vnx_Rt2", ...

#include <cstdint>
#include <string>

namespace vnx {

// "Vnx_Rt" for instance 0, "Vnx_Rt" + the number otherwise, below tempBase
// (which ends in "\").
std::string WorkDirCandidate(const std::string& tempBase, std::int32_t instance);

// Creates the first candidate that is free, reclaiming one that a crashed or
// killed runner left behind (nothing in it is in use) and passing over those
// in use. Returns the directory without a trailing "\" and sets instance.
// Raises "Can't create dir " + candidate when the directory cannot be made.
std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance);

}  // namespace vnx

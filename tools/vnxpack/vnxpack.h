#pragma once
// The authoring tool: vnxpack COMMAND [ARGS...]. Called by main with the
// host of the platform, and by the tests with the same arguments a shell
// would pass.

#include <ostream>
#include <string>
#include <vector>

#include "tools/vnxpack/pack_host.h"

namespace vnx {

int VnxpackMain(const std::vector<std::string>& arguments, const PackHost& host, std::ostream& out, std::ostream& err);

}  // namespace vnx

#pragma once
// The authoring tool's host on Linux.

#include "tools/vnxpack/pack_host.h"

namespace vnx {

const PackHost& PosixPackHost();

}  // namespace vnx

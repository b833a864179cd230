#pragma once
// The authoring tool's host on Windows (vnxpack.exe).

#include "tools/vnxpack/pack_host.h"

namespace vnx {

const PackHost& Win32PackHost();

}  // namespace vnx

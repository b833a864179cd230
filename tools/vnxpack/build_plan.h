#pragma once
// The build command's entries turned into the files of a session. An entry is
// a file with an optional placement ("path" or "path=PLACEMENT") or a
// directory, whose files are taken with their sub-folders as relative
// placements (behind the directory's own placement, if any).

#include <string>
#include <vector>

#include "session/session_writer.h"
#include "tools/vnxpack/pack_host.h"

namespace vnx {

// Raises EPackError for a missing entry, a name Windows could not write as a
// plain file, a placement that leaves the target directory, and two files
// that would be written to the same place.
std::vector<PackedFile> PlanFiles(const std::vector<std::string>& entries, const PackHost& host);

}  // namespace vnx

#pragma once
// Every session of a file, found the way the reader finds them: the trailer
// at the end (bytes behind it passed over by the search), then the trailer
// ending where that session starts, until no trailer precedes a session.

#include <cstdint>
#include <vector>

#include "session/file_seam.h"
#include "session/trailer_search.h"

namespace vnx {

struct SessionChain {
  std::vector<LocatedTrailer> Sessions;  // in file order, the first appended first
  std::int64_t TrailingBytes = 0;        // behind the last trailer
  // A trailer whose session would start behind it or before the file: the
  // walk stops there.
  bool Broken = false;
};

SessionChain ReadSessionChain(SourceStream& source);

}  // namespace vnx

#pragma once
// Finding a session trailer from the end of a file. Without searching, only
// the 220 bytes just in front of `end` count. Searching, the windows ending
// at `end`, end − 1, … down to position 2048 are examined and the first
// valid one (the one ending last) wins — the result of stepping back one
// byte at a time, found by scanning large blocks instead.

#include <cstdint>
#include <optional>

#include "session/file_seam.h"
#include "session/session_format.h"

namespace vnx {

struct LocatedTrailer {
  std::int64_t Start = 0;  // file offset of the trailer's first byte
  SessionTrailer Trailer;
};

std::optional<LocatedTrailer> FindTrailer(SourceStream& source, std::int64_t end, bool searchBackward);

// The session a trailer closes must start within the file and in front of the
// trailer; otherwise the chain is broken (and could loop).
bool HasPlausibleSessionOffset(const LocatedTrailer& found);

}  // namespace vnx

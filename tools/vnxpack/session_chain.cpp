#include "tools/vnxpack/session_chain.h"

#include <algorithm>

namespace vnx {

SessionChain ReadSessionChain(SourceStream& source) {
  SessionChain chain;
  const std::int64_t size = source.Size();
  std::int64_t end = size;
  while (const auto found = FindTrailer(source, end, true)) {
    if (chain.Sessions.empty()) chain.TrailingBytes = size - (found->Start + static_cast<std::int64_t>(kTrailerSize));
    chain.Sessions.push_back(*found);
    if (!HasPlausibleSessionOffset(*found)) {
      chain.Broken = true;
      break;
    }
    end = found->Trailer.SessionOffset;
  }
  std::reverse(chain.Sessions.begin(), chain.Sessions.end());
  return chain;
}

}  // namespace vnx

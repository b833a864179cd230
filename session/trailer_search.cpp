#include "session/trailer_search.h"

#include <algorithm>
#include <vector>

namespace vnx {
namespace {

// Window ends examined per read, the buffer holding the 219 bytes in front
// too. The first read is small, since the trailer is usually at the end or a
// little before it (a certificate table, a chained session); reads then grow
// to a limit, so the cost follows the distance searched.
constexpr std::int64_t kFirstBlockEnds = 4096;
constexpr std::int64_t kLargestBlockEnds = 1 << 20;

}  // namespace

std::optional<LocatedTrailer> FindTrailer(SourceStream& source, std::int64_t end, bool searchBackward) {
  constexpr auto kWindow = static_cast<std::int64_t>(kTrailerSize);
  if (end < kWindow) return std::nullopt;
  const std::int64_t lowestEnd = (searchBackward && end > kSearchFloor) ? kSearchFloor : end;

  std::vector<std::uint8_t> block;
  std::int64_t blockEnds = kFirstBlockEnds;
  for (std::int64_t highEnd = end; highEnd >= lowestEnd;
       highEnd -= blockEnds, blockEnds = std::min(2 * blockEnds, kLargestBlockEnds)) {
    const std::int64_t lowEnd = std::max(lowestEnd, highEnd - blockEnds + 1);
    const std::int64_t first = lowEnd - kWindow;
    block.resize(static_cast<std::size_t>(highEnd - first));
    source.Seek(first);
    if (source.Read(block.data(), block.size()) != block.size()) throw EReadError();
    for (std::int64_t windowEnd = highEnd; windowEnd >= lowEnd; --windowEnd) {
      const std::uint8_t* window = block.data() + (windowEnd - kWindow - first);
      // The end marker's last byte rules out almost every position cheaply.
      if (window[kTrailerSize - 1] != (kEndMarker >> 24) || !IsValidTrailer(window)) continue;
      return LocatedTrailer{windowEnd - kWindow, ParseTrailer(window)};
    }
  }
  return std::nullopt;
}

bool HasPlausibleSessionOffset(const LocatedTrailer& found) {
  return found.Trailer.SessionOffset >= 0 && found.Trailer.SessionOffset <= found.Start;
}

}  // namespace vnx

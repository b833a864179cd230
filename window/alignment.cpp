#include "window/alignment.h"

#include <algorithm>
#include <limits>

namespace vnx {
namespace {

std::int32_t Clamped(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t AlignOnAxis(std::int32_t alignment, std::int32_t screenStart, std::int32_t screenEnd,
                         std::int32_t windowExtent, std::int32_t current) {
  // 64 bits, so that extreme coordinates cannot wrap around on the way.
  const std::int64_t start = screenStart, end = screenEnd, extent = windowExtent;
  switch (alignment) {
    case kAlignStart: return 0;
    case kAlignCentre: return Clamped((start + end - extent) / 2);
    case kAlignEnd: return Clamped(end - extent);
    default: return current;
  }
}

WindowOrigin AlignWindow(const AlignmentRequest& r) {
  if (r.FullScreen) return {r.WindowLeft, r.WindowTop};
  return {AlignOnAxis(r.AlignmentH, r.ScreenLeft, r.ScreenRight, r.WindowWidth, r.WindowLeft),
          AlignOnAxis(r.AlignmentV, r.ScreenTop, r.ScreenBottom, r.WindowHeight, r.WindowTop)};
}

}  // namespace vnx

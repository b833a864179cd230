#include "runner/preview_picture.h"

#include <algorithm>

namespace vnx {

IconSquare PreviewIconSquare(std::int32_t width, std::int32_t height, std::int32_t iconSide) {
  const std::int32_t side = std::max(0, std::min({iconSide, width, height}));
  if (side == 0) return {};
  return {(width - side) / 2, (height - side) / 2, side};
}

}  // namespace vnx

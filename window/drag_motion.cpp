#include "window/drag_motion.h"

#include <cstdlib>

namespace vnx {

DragStep NextDragStep(DragPoint anchor, DragPoint cursor, bool alreadyMoved) {
  const std::int32_t dx = cursor.x - anchor.x, dy = cursor.y - anchor.y;
  if (!alreadyMoved && std::abs(dx) < kDragStartThreshold && std::abs(dy) < kDragStartThreshold) return {};
  return {true, dx, dy};
}

}  // namespace vnx

#pragma once
// One tick of dragging the runner's window: the window first moves once the
// cursor is 8 pixels or more from the anchor in x or y, then follows every
// motion.

#include <cstdint>

namespace vnx {

struct DragPoint {
  std::int32_t x = 0, y = 0;
};

struct DragStep {
  bool move = false;
  std::int32_t dx = 0, dy = 0;
};

inline constexpr std::int32_t kDragStartThreshold = 8;

DragStep NextDragStep(DragPoint anchor, DragPoint cursor, bool alreadyMoved);

}  // namespace vnx

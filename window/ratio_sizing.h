#pragma once
// Ratio-keeping sizing of the runner's window: while the user drags an edge
// or a corner, the rectangle that WM_SIZING proposes is changed so that the
// window keeps the shape of its reference size.

#include <cstdint>

namespace vnx {

// The WMSZ_* values of WM_SIZING's wParam.
enum SizingEdge : int {
  kSizingLeft = 1,
  kSizingRight = 2,
  kSizingTop = 3,
  kSizingTopLeft = 4,
  kSizingTopRight = 5,
  kSizingBottom = 6,
  kSizingBottomLeft = 7,
  kSizingBottomRight = 8,
};

struct EdgeRect {  // left, top, right, bottom, as WM_SIZING carries it
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const EdgeRect&, const EdgeRect&) = default;
};

struct WindowBox {  // the window's rectangle after the previous step of the drag
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

struct PixelPoint {
  std::int32_t X = 0, Y = 0;
};

struct PixelSize {
  std::int32_t Width = 0, Height = 0;
};

// The proposed rectangle with one edge recomputed: the bottom edge when a
// left or right side is dragged, the right edge for a top or bottom side.
// At a corner, the cursor's distance from the previous vertical edge (dx) and
// horizontal edge (dy) of that corner decides: dx < dy keeps the proposed
// width, otherwise (ties included) the proposed height stays. Any other edge
// value, or a reference without area, leaves the rectangle unchanged.
EdgeRect KeepRatioWhileSizing(int edge, const EdgeRect& proposed, PixelSize reference, const WindowBox& previous,
                              PixelPoint cursor);

}  // namespace vnx

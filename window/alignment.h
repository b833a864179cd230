#pragma once
// Where the fitting puts the runner's window on the screen when the
// presentation asks for an alignment ("AlignmentH", "AlignmentV").

#include <cstdint>

namespace vnx {

// The alignment values of the settings: 1 at the screen's left (top) edge,
// 2 centred, 3 at the right (bottom) edge; any other value keeps the position.
enum Alignment : std::int32_t {
  kAlignStart = 1,
  kAlignCentre = 2,
  kAlignEnd = 3,
};

// One axis: the window's new left (top) coordinate for a screen running from
// screenStart to screenEnd. Centring truncates toward zero, so a window wider
// than the screen by an odd amount starts at 0, not at -1.
std::int32_t AlignOnAxis(std::int32_t alignment, std::int32_t screenStart, std::int32_t screenEnd,
                         std::int32_t windowExtent, std::int32_t current);

struct AlignmentRequest {
  bool FullScreen = false;
  std::int32_t AlignmentH = 0, AlignmentV = 0;
  std::int32_t ScreenLeft = 0, ScreenTop = 0, ScreenRight = 0, ScreenBottom = 0;  // FullScreenRect
  std::int32_t WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;
};

struct WindowOrigin {
  std::int32_t Left = 0, Top = 0;
  friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};

// Both axes; a full-screen presentation keeps its position untouched.
WindowOrigin AlignWindow(const AlignmentRequest& request);

}  // namespace vnx

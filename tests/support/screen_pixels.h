#pragma once
// What a viewer sees: the screen's pixels, read through the screen's device
// context as a screenshot program reads them.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace vnx::test {

struct ScreenPixels {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;  // row by row from the screen's top left
  COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The area of the screen from (left, top), width by height; empty when the
// screen cannot be read.
ScreenPixels CaptureScreenArea(int left, int top, int width, int height);

// The whole screen.
ScreenPixels CaptureScreen();

}  // namespace vnx::test

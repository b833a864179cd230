#pragma once
// What a viewer sees: the whole screen's pixels, read through the screen's
// device context as a screenshot program reads them.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace vnx::test {

struct ScreenPixels {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;  // row by row from the screen's top left
  COLORREF At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Empty when the screen cannot be read.
ScreenPixels CaptureScreen();

}  // namespace vnx::test

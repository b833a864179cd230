#include "window/ratio_sizing.h"

#include <cstdlib>

#include "window/mul_div.h"

namespace vnx {
namespace {

// The height that goes with the given width, and the other way round.
std::int32_t HeightFor(std::int32_t width, PixelSize reference) {
  return MulDiv(reference.Height, width, reference.Width);
}
std::int32_t WidthFor(std::int32_t height, PixelSize reference) {
  return MulDiv(reference.Width, height, reference.Height);
}

// Which of the corner's two edges follows the other.
bool WidthLeads(std::int32_t dx, std::int32_t dy) { return dx < dy; }

}  // namespace

EdgeRect KeepRatioWhileSizing(int edge, const EdgeRect& proposed, PixelSize reference, const WindowBox& previous,
                              PixelPoint cursor) {
  // Without a shape to keep, MulDiv would answer -1 and fold the window up.
  if (reference.Width <= 0 || reference.Height <= 0) return proposed;

  EdgeRect r = proposed;
  const std::int32_t width = r.Right - r.Left, height = r.Bottom - r.Top;
  const std::int32_t previousRight = previous.Left + previous.Width;
  const std::int32_t previousBottom = previous.Top + previous.Height;
  const std::int32_t dxLeft = std::abs(cursor.X - previous.Left), dxRight = std::abs(cursor.X - previousRight);
  const std::int32_t dyTop = std::abs(previous.Top - cursor.Y), dyBottom = std::abs(previousBottom - cursor.Y);

  switch (edge) {
    case kSizingLeft:
    case kSizingRight: r.Bottom = r.Top + HeightFor(width, reference); break;
    case kSizingTop:
    case kSizingBottom: r.Right = r.Left + WidthFor(height, reference); break;
    case kSizingTopLeft:
      if (WidthLeads(dxLeft, dyTop))
        r.Top = r.Bottom - HeightFor(width, reference);
      else
        r.Left = r.Right - WidthFor(height, reference);
      break;
    case kSizingTopRight:
      if (WidthLeads(dxRight, dyTop))
        r.Top = r.Bottom - HeightFor(width, reference);
      else
        r.Right = r.Left + WidthFor(height, reference);
      break;
    case kSizingBottomLeft:
      if (WidthLeads(dxLeft, dyBottom))
        r.Bottom = r.Top + HeightFor(width, reference);
      else
        r.Left = r.Right - WidthFor(height, reference);
      break;
    case kSizingBottomRight:
      if (WidthLeads(dxRight, dyBottom))
        r.Bottom = r.Top + HeightFor(width, reference);
      else
        r.Right = r.Left + WidthFor(height, reference);
      break;
    default: break;
  }
  return r;
}

}  // namespace vnx

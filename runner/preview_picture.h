#pragma once
// Where the screen saver's preview draws the presentation's icon.

#include <cstdint>

namespace vnx {

struct IconSquare {
  std::int32_t Left = 0, Top = 0, Side = 0;
  friend bool operator==(const IconSquare&, const IconSquare&) = default;
};

// Centred in a client area of width x height, at the icon's own size, or as
// large as fits when the area is smaller (a host window shrunk by a
// settings dialog of its own); nothing for an empty area.
IconSquare PreviewIconSquare(std::int32_t width, std::int32_t height, std::int32_t iconSide);

}  // namespace vnx

#pragma once
// The slide the stand-in projector shows, from slide.txt next to it:
//
//   title=Quarterly results      the text in the middle (up to 200 characters)
//   colour=#1F3B5C               the stage colour ("color" works too)
//   stage=800x600                the stage size, each side 64 to 4096
//
// A missing file gives the defaults. A line it cannot use keeps the default
// for that value and becomes a warning that the slide shows, so a mistake is
// seen instead of silently lost.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vnx {

inline constexpr char kSlideFileName[] = "slide.txt";

struct StageColour {
  std::uint8_t Red = 0, Green = 0, Blue = 0;
  friend bool operator==(const StageColour&, const StageColour&) = default;
};

struct Slide {
  std::string Title = "Presentation";
  StageColour Colour{0x1F, 0x3B, 0x5C};
  std::int32_t StageWidth = 640, StageHeight = 480;
  std::vector<std::string> Warnings;
};

inline constexpr std::size_t kMaxTitleLength = 200;
inline constexpr std::int32_t kMinStageSide = 64, kMaxStageSide = 4096;

Slide ParseSlide(std::string_view text);

// "#RRGGBB" in upper case.
std::string ColourText(StageColour colour);
// White on a dark stage, near-black on a light one.
StageColour TextColourFor(StageColour stage);
// from, moved percent (0-100) of the way towards to.
StageColour Blend(StageColour from, StageColour to, int percent);

}  // namespace vnx

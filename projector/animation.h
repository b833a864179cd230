#pragma once
// The slide's gentle animation: a soft light glides along a slow figure
// across the stage, always wholly inside it.

#include <cstdint>

namespace vnx {

struct GlideFrame {
  std::int32_t X = 0, Y = 0, Radius = 0;  // centre and radius in client pixels
};

// Where the light is after elapsedMs of animation on a stage of this size.
// The path repeats every kGlidePeriodMs.
GlideFrame GlideAt(std::uint32_t elapsedMs, std::int32_t width, std::int32_t height);

inline constexpr std::uint32_t kGlidePeriodMs = 60000;

}  // namespace vnx

#include "projector/animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vnx {
namespace {

// A horizontal sweep every 20 s and a vertical one every 12 s: a slow figure
// that closes after a minute, so the path has no jump where it repeats.
constexpr double kHorizontalPeriodMs = 20000.0;
constexpr double kVerticalPeriodMs = 12000.0;

double Wave(std::uint32_t elapsedMs, double periodMs) {
  return std::sin(2.0 * std::numbers::pi * static_cast<double>(elapsedMs) / periodMs);
}

}  // namespace

GlideFrame GlideAt(std::uint32_t elapsedMs, std::int32_t width, std::int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const std::uint32_t t = elapsedMs % kGlidePeriodMs;
  const std::int32_t radius = std::max(1, std::min(width, height) / 12);
  // How far the centre may swing from the middle and keep the light inside.
  const double swingX = std::max(0, width / 2 - radius), swingY = std::max(0, height / 2 - radius);
  GlideFrame frame;
  frame.Radius = std::min({radius, width / 2, height / 2});
  frame.X = width / 2 + static_cast<std::int32_t>(swingX * Wave(t, kHorizontalPeriodMs));
  frame.Y = height / 2 + static_cast<std::int32_t>(swingY * Wave(t, kVerticalPeriodMs));
  return frame;
}

}  // namespace vnx

#include "window/saver_covers_plan.h"

#include <algorithm>
#include <cstdlib>

namespace vnx {
namespace {

bool Empty(const ScreenRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

std::int64_t OverlapArea(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t width = std::int64_t{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
  const std::int64_t height = std::int64_t{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The parts of piece outside clear: up to four bands, above, below, left and
// right of it.
void AddOutside(const ScreenRect& piece, const ScreenRect& clear, std::vector<ScreenRect>& parts) {
  if (OverlapArea(piece, clear) == 0) {
    parts.push_back(piece);
    return;
  }
  const std::int32_t top = std::max(piece.Top, clear.Top), bottom = std::min(piece.Bottom, clear.Bottom);
  const ScreenRect bands[] = {
      {piece.Left, piece.Top, piece.Right, top},
      {piece.Left, bottom, piece.Right, piece.Bottom},
      {piece.Left, top, std::max(piece.Left, clear.Left), bottom},
      {std::min(piece.Right, clear.Right), top, piece.Right, bottom},
  };
  for (const ScreenRect& band : bands) {
    if (!Empty(band)) parts.push_back(band);
  }
}

std::size_t PresentationMonitorOf(const std::vector<MonitorArea>& monitors, const ScreenRect& window) {
  std::size_t best = 0;
  std::int64_t bestArea = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::int64_t area = OverlapArea(monitors[i].Rect, window);
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  if (bestArea > 0) return best;
  const auto primary = std::ranges::find_if(monitors, &MonitorArea::Primary);
  return primary == monitors.end() ? 0 : static_cast<std::size_t>(primary - monitors.begin());
}

}  // namespace

SaverCoverPlan PlanSaverCovers(const std::vector<MonitorArea>& monitors, const ScreenRect& presentationWindow) {
  SaverCoverPlan plan;
  if (monitors.empty()) return plan;
  plan.PresentationMonitor = PresentationMonitorOf(monitors, presentationWindow);
  const ScreenRect kept[] = {monitors[plan.PresentationMonitor].Rect, presentationWindow};
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (i == plan.PresentationMonitor || Empty(monitors[i].Rect)) continue;
    std::vector<ScreenRect> pieces{monitors[i].Rect};
    for (const ScreenRect& clear : kept) {
      std::vector<ScreenRect> outside;
      for (const ScreenRect& piece : pieces) AddOutside(piece, clear, outside);
      pieces = std::move(outside);
    }
    for (const ScreenRect& piece : pieces) {
      if (std::ranges::find(plan.Covers, piece) == plan.Covers.end()) plan.Covers.push_back(piece);
    }
  }
  return plan;
}

bool CoverMouseEnds(bool exitOnMouse, CoverMouseState& state, bool press, std::int32_t x, std::int32_t y,
                    std::int32_t distance) {
  if (!exitOnMouse) return false;
  if (press) return true;
  if (!state.Anchored) {
    state = {true, x, y};
    return false;
  }
  return std::abs(x - state.AnchorX) >= distance || std::abs(y - state.AnchorY) >= distance;
}

bool CoverKeyEnds(bool exitOnAnyKey, bool exitOnEsc, bool escape) { return exitOnAnyKey || (exitOnEsc && escape); }

}  // namespace vnx

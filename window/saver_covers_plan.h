#pragma once
// Run as the screen saver, the presentation takes one monitor and black
// windows of the runner cover every other one, so no desktop shows beside
// it. Which monitor it takes, which rectangles to cover and when the viewer's
// mouse on a cover ends the presentation are decided here.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runner/window_layout.h"

namespace vnx {

struct MonitorArea {
  ScreenRect Rect;
  bool Primary = false;
};

struct SaverCoverPlan {
  std::size_t PresentationMonitor = 0;  // index into the monitors; meaningless without monitors
  std::vector<ScreenRect> Covers;
  friend bool operator==(const SaverCoverPlan&, const SaverCoverPlan&) = default;
};

// The presentation takes the monitor that holds the largest part of its
// window (the primary one when the window lies on none). Every other monitor
// is covered, except where it overlaps the presentation's monitor or its
// window (a mirrored monitor, or a window reaching over the edge): a cover
// never hides the presentation. Each rectangle is covered once.
SaverCoverPlan PlanSaverCovers(const std::vector<MonitorArea>& monitors, const ScreenRect& presentationWindow);

// The viewer's mouse on a cover ends the presentation as it does on the
// presentation itself: with ExitOnMouse, a press, or a move of the cursor by
// `distance` pixels or more (in x or in y) from where a cover first saw it.
struct CoverMouseState {
  bool Anchored = false;
  std::int32_t AnchorX = 0, AnchorY = 0;
};
bool CoverMouseEnds(bool exitOnMouse, CoverMouseState& state, bool press, std::int32_t x, std::int32_t y,
                    std::int32_t distance);

// A key pressed while a cover has the focus ends the presentation as it does
// on the presentation itself: any key without KeyInteraction, Esc with
// ExitOnESC.
bool CoverKeyEnds(bool exitOnAnyKey, bool exitOnEsc, bool escape);

}  // namespace vnx

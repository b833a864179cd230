#pragma once
// What a viewer sees of a running presentation, on a screenshot of the real
// screen: whether the projector's stage colour fills the runner's client
// area exactly. A strip of anything else along an edge (the projector's
// window smaller than the client area, or shifted) or stage colour on the
// frame or beyond it (the projector's window larger) is a fitting the viewer
// sees.

#include <windows.h>

#include "tests/e2e/presentation_run.h"

namespace vnx::test {

// Looks at the screen until the stage colour fills the client area of the
// run's frame, for up to 10 s (the projector paints on its own time), and
// checks the last look.
void ExpectStageFillsClientArea(const PresentationRun& run, COLORREF stage);

}  // namespace vnx::test

#pragma once
// The projector's full-screen mode: without frame and menu bar, covering the
// monitor when the window stands alone, or its own rectangle when another
// program has made it a child window. The same command switches back.

#include "projector/projector_app.h"

namespace vnx {

void ToggleFullScreen(ProjectorApp& app);

// The window has no parent of its own (the desktop is its parent).
bool IsTopLevel(HWND window);

}  // namespace vnx

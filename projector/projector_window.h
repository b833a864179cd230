#pragma once
// The projector's one window, of class "ShockwaveFlash": the runner looks for
// "shockwaveflash" without regard to letter case.

#include "projector/projector_app.h"

namespace vnx {

// Opens the window with the slide's stage as its client area, at the first
// window position the projector was started with, and records it in the log.
void OpenProjectorWindow(ProjectorApp& app, int showCommand);

}  // namespace vnx

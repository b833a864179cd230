// The stand-in projector: a small player that shows one gently animated slide
// in a window of class "ShockwaveFlash" and behaves the way the runner expects
// a projector to behave.

#include <windows.h>

#include "projector/projector_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) { return vnx::RunProjector(showCommand); }

#pragma once
// The window procedure of the runner's main window: a router that sends each
// message to one short handler working on the main object.

#include <windows.h>

namespace vnx {

class TfrmMain;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Detaches the runner's input from the projector thread and asks the
// projector window to close; nothing while no projector window is known.
void CloseProjector(TfrmMain& runner);

}  // namespace vnx

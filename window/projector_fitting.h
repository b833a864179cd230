#pragma once
// Taking the projector's window over: finding it among the projector
// thread's windows, making it a child of the runner's frame, switching it to
// full screen through its own menu command, sizing and placing both windows,
// and keeping it (and the windows it owns) in front while it runs.

#include <windows.h>

namespace vnx {

class TfrmMain;

// EnumThreadWindows callback; lParam is the runner. Stops at the first
// window of class "shockwaveflash" (any letter case).
BOOL CALLBACK FindProjectorWindow(HWND window, LPARAM runner);
void FitProjectorWindow(TfrmMain& runner);
void KeepProjectorInFront(TfrmMain& runner);
// EnumWindows callback; lParam is the runner.
BOOL CALLBACK RaiseProjectorPopups(HWND window, LPARAM runner);

// The command id of the projector's "Full Screen" menu item, read from its
// menu bar; 20048 when the menu does not tell.
UINT FullScreenCommandOf(HWND projector);

}  // namespace vnx

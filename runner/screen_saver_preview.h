#pragma once
// The small preview of the screen saver settings ("/p HWND"): a still
// picture inside the host's window, the presentation's icon centred on
// black, as a child window of the host. Nothing is unpacked or written; the
// preview ends with the host's window.

#include <windows.h>

namespace vnx {

// Shows the preview until the host's window is gone; returns at once when
// host is no window. The process's exit code: 1 when the preview window
// could not be made, else 0.
int RunScreenSaverPreview(HWND host);

}  // namespace vnx

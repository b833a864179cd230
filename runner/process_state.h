#pragma once
// Process-wide state shared by the lifecycle, the window procedure and the
// session. The runner has one thread; nothing here is locked.

#include <cstdint>

namespace vnx {

extern bool QuitRequested;     // ends the message loop of the current lifecycle
extern bool RestartRequested;  // the entry runs one more lifecycle

// Windows family, decided once at program start.
extern bool OsWin95, OsWin98, OsWinMe, OsWinNT5;

extern std::int32_t ScreenWidth, ScreenHeight;  // primary screen at window creation
// Its DPI then: the runner is aware of the system's scaling and works in the
// screen's own pixels (window/screen_scaling.h).
extern std::int32_t ScreenDpi;
extern std::int32_t ClientWidth, ClientHeight;  // the size the projector window is given
extern bool ResizePending;                      // the projector must follow the client area

void ClassifyRunningOs();

}  // namespace vnx

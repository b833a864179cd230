#pragma once
// The watcher: a thread of the engine library inside the runner's own
// process. Nothing the viewer does is needed for the presentation to count as
// shown, so the watcher looks at the block a few times a second and posts
// WM_RUNNER_SHOWN once the projector's window is visible; it keeps the
// display on while the presentation runs with DisableScreenSaver (not as the
// system's screen saver, which lets the monitor sleep), and leaves
// when the session is over, letting go of the library.

#include <windows.h>

namespace vnx::engine {

// Called while the library is being loaded. The thread holds its own
// reference to the library, so the runner's FreeLibrary never pulls the code
// from under it; it gives that reference back as it ends.
void StartPresentationWatcher(HMODULE module) noexcept;

}  // namespace vnx::engine

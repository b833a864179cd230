#pragma once
// Inside the projector's process the engine also watches the messages that
// the projector's main thread sends to its own windows (a hook of that one
// thread, installed by the engine itself): after WM_SETCURSOR it hides the
// cursor over the presentation (HideCursor), and after WM_INITMENUPOPUP of
// the projector's right-click menu it removes the items of MenuDeleteItems,
// before the menu is measured and shown.

#include "contract/control_block.h"

namespace vnx::engine {

// Called by the hook procedures in the projector's process; installs the
// watch once, from the projector's main thread, when the block asks for it.
void EnsureProjectorMessageWatch(const ControlBlock& block) noexcept;
// Removes the watch when the library is unloaded.
void RemoveProjectorMessageWatch() noexcept;

}  // namespace vnx::engine

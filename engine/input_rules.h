#pragma once
// What the engine does with the viewer's input inside the presentation's
// processes: which input ends the presentation, which right click becomes the
// runner's popup menu, when a drag starts, ends or is cancelled, and which
// activation the runner must hear about. Each rule answers with a verdict:
// whether the input is swallowed, and which private messages go to the runner.

#include <cstdint>

#include "contract/control_block.h"
#include "contract/mouse_exit.h"

namespace vnx::engine {

// The shortest time between two requests to give the projector the focus, so
// that the runner and the engine can never bounce the focus back and forth.
inline constexpr std::uint32_t kFocusRequestSpacingMs = 500;

// The private messages the engine posts to the runner's window.
enum class Notice : std::uint8_t { Exit, PopupMenu, MouseDown, DragEnd, DragCancel, Raise, Activated, FocusProjector };

struct Post {
  Notice notice = Notice::Exit;
  std::uint32_t wParam = 0;
};

struct Verdict {
  bool swallow = false;  // the window never receives the input
  Post posts[3] = {};
  int postCount = 0;

  void Add(Notice notice, std::uint32_t wParam = 0) noexcept {
    if (postCount < 3) posts[postCount++] = Post{notice, wParam};
  }
};

// What the engine remembers about the input of one process.
struct InputState {
  bool anchored = false;  // the cursor position since the presentation was shown
  std::int32_t anchorX = 0, anchorY = 0;
  bool exitPosted = false;  // the runner closes the projector once asked
  bool dragging = false;    // a drag start was reported and has not ended
  bool focusRequested = false;
  std::uint32_t lastFocusRequestMs = 0;
};

struct MouseInput {
  std::uint32_t message = 0;              // WM_MOUSEMOVE, WM_LBUTTONDOWN, ... (client or non-client)
  std::int32_t x = 0, y = 0;              // screen position, in pixels of a 96-DPI screen
  bool overPresentation = false;          // the target is the runner's or the projector's window, or inside one
  bool inProjector = false;               // this process is the projector
  bool foregroundIsPresentation = false;  // for a client press: the foreground is the runner's or the projector's
};
Verdict DecideMouse(const ControlBlock& block, InputState& state, const MouseInput& input) noexcept;

struct KeyInput {
  std::uint32_t virtualKey = 0;
  bool pressed = false;  // a key-down (or its repeat); false for the release
  bool shift = false;
  bool focusInPresentation = false;  // the keyboard focus is in the runner's or the projector's window
};
Verdict DecideKey(const ControlBlock& block, InputState& state, const KeyInput& input) noexcept;

// Another window becomes active (the CBT hook's HCBT_ACTIVATE).
Verdict DecideActivation(const ControlBlock& block, InputState& state, std::uint32_t window,
                         bool windowIsPresentation) noexcept;

// The focus moves (HCBT_SETFOCUS). When the keys belong to the presentation
// and the runner's frame takes the focus from anything but the projector, the
// runner is asked to hand it on to the projector.
struct FocusInput {
  bool toRunnerWindow = false;
  bool fromProjectorWindow = false;
  bool projectorVisible = false;
  std::uint32_t nowMs = 0;
};
Verdict DecideFocus(const ControlBlock& block, InputState& state, const FocusInput& input) noexcept;

// Minimising, maximising or a system command in a presentation window stops
// a drag that is under way.
Verdict DecideWindowCommand(InputState& state) noexcept;

// A button press in a client area: only then does the foreground window matter.
bool IsClientPress(std::uint32_t message) noexcept;

// The Windows keys, swallowed with BlockSystemKeys.
bool IsWindowsKey(std::uint32_t virtualKey) noexcept;
// A key message that the GetMessage hook turns into WM_NULL.
bool RefusesKeyMessage(const ControlBlock& block, std::uint32_t message, std::uint32_t virtualKey) noexcept;

}  // namespace vnx::engine

#include "engine/input_rules.h"

#include "engine/win_values.h"

namespace vnx::engine {
namespace {

bool IsFramePress(std::uint32_t m) {
  return m == msg::kNcLButtonDown || m == msg::kNcLButtonDblClk || m == msg::kNcRButtonDown ||
         m == msg::kNcRButtonDblClk || m == msg::kNcMButtonDown || m == msg::kNcMButtonDblClk ||
         m == msg::kNcXButtonDown || m == msg::kNcXButtonDblClk;
}
bool IsPress(std::uint32_t m) { return IsClientPress(m) || IsFramePress(m); }
bool IsWheel(std::uint32_t m) { return m == msg::kMouseWheel || m == msg::kMouseHWheel; }
bool IsMove(std::uint32_t m) { return m == msg::kMouseMove || m == msg::kNcMouseMove; }
// The right button in a client area: what opens a window's context menu.
bool IsRightButton(std::uint32_t m) {
  return m == msg::kRButtonDown || m == msg::kRButtonUp || m == msg::kRButtonDblClk;
}
bool IsLeftRelease(std::uint32_t m) { return m == msg::kLButtonUp || m == msg::kNcLButtonUp; }

bool RunnerHasMenu(const ControlBlock& block) {
  return block.CloseMenu != 0 || block.SetupMenu != 0 || block.MinimizeMenu != 0;
}

bool IsMenuKey(const KeyInput& input) {
  return input.virtualKey == vk::kApps || (input.virtualKey == vk::kF10 && input.shift);
}

bool FarApart(std::int32_t a, std::int32_t b) {
  const std::int64_t d = static_cast<std::int64_t>(a) - b;
  return d >= kMouseExitDistance || d <= -kMouseExitDistance;
}

// Mouse use with ExitOnMouse: any press or wheel turn, or a movement of at
// least kMouseExitDistance from the first position seen.
bool MouseEnds(InputState& state, const MouseInput& input) {
  if (IsPress(input.message) || IsWheel(input.message)) return true;
  if (!IsMove(input.message)) return false;
  if (!state.anchored) {
    state.anchored = true;
    state.anchorX = input.x;
    state.anchorY = input.y;
    return false;
  }
  return FarApart(input.x, state.anchorX) || FarApart(input.y, state.anchorY);
}

void StopDrag(InputState& state, Verdict& verdict, Notice notice) {
  state.dragging = false;
  verdict.Add(notice);
}

}  // namespace

bool IsClientPress(std::uint32_t m) noexcept {
  return m == msg::kLButtonDown || m == msg::kLButtonDblClk || m == msg::kRButtonDown || m == msg::kRButtonDblClk ||
         m == msg::kMButtonDown || m == msg::kMButtonDblClk || m == msg::kXButtonDown || m == msg::kXButtonDblClk;
}

Verdict DecideMouse(const ControlBlock& block, InputState& state, const MouseInput& input) noexcept {
  Verdict verdict;
  const std::uint32_t m = input.message;
  // The release ends a drag wherever the cursor has got to.
  if (state.dragging && IsLeftRelease(m)) StopDrag(state, verdict, Notice::DragEnd);
  if (!input.overPresentation) return verdict;
  // The projector's own menu never opens, shown or not.
  const bool noOwnMenu = block.NoRightClickMenu != 0;
  if (noOwnMenu && IsRightButton(m)) verdict.swallow = true;

  if (block.PresentationShown == 0) return verdict;
  if (block.PopupMenuOpen != 0) {
    // The viewer is choosing from the runner's menu; measure afresh later.
    state.anchored = false;
    return verdict;
  }
  if (block.ExitOnMouse != 0) {
    if (!state.exitPosted && MouseEnds(state, input)) {
      state.exitPosted = true;
      verdict.Add(Notice::Exit);
    }
    return verdict;  // every other use of the mouse is an exit as well
  }

  if (m == msg::kRButtonUp && noOwnMenu && RunnerHasMenu(block)) verdict.Add(Notice::PopupMenu);
  if (!IsClientPress(m) || !input.inProjector) return verdict;
  if (state.dragging) StopDrag(state, verdict, Notice::DragCancel);  // another button joined in
  if (block.Draggable != 0) {
    verdict.Add(Notice::MouseDown, m);
    state.dragging = m == msg::kLButtonDown;
  }
  if (!input.foregroundIsPresentation) verdict.Add(Notice::Raise);
  return verdict;
}

Verdict DecideKey(const ControlBlock& block, InputState& state, const KeyInput& input) noexcept {
  Verdict verdict;
  const bool noOwnMenu = block.NoRightClickMenu != 0;
  if (block.BlockSystemKeys != 0 && IsWindowsKey(input.virtualKey)) verdict.swallow = true;
  if (noOwnMenu && IsMenuKey(input) && input.focusInPresentation) verdict.swallow = true;

  // Keys typed into the runner's menu or into a dialog are not the viewer's
  // answer to the presentation.
  if (block.PresentationShown == 0 || block.PopupMenuOpen != 0 || !input.focusInPresentation) return verdict;
  const bool escape = input.virtualKey == vk::kEscape;
  if (input.pressed && !state.exitPosted && (block.ExitOnAnyKey != 0 || (block.ExitOnEsc != 0 && escape))) {
    state.exitPosted = true;
    verdict.Add(Notice::Exit);
    return verdict;
  }
  if (input.pressed && escape && state.dragging) StopDrag(state, verdict, Notice::DragCancel);
  if (!input.pressed && noOwnMenu && IsMenuKey(input) && RunnerHasMenu(block)) verdict.Add(Notice::PopupMenu);
  return verdict;
}

Verdict DecideActivation(const ControlBlock& block, InputState& state, std::uint32_t window,
                         bool windowIsPresentation) noexcept {
  Verdict verdict;
  if (state.dragging && !windowIsPresentation) StopDrag(state, verdict, Notice::DragCancel);
  if (block.PresentationShown != 0) verdict.Add(Notice::Activated, window);
  return verdict;
}

Verdict DecideFocus(const ControlBlock& block, InputState& state, const FocusInput& input) noexcept {
  Verdict verdict;
  if (block.PresentationShown == 0 || block.ExitOnAnyKey != 0 || block.PopupMenuOpen != 0) return verdict;
  if (!input.toRunnerWindow || input.fromProjectorWindow || !input.projectorVisible) return verdict;
  if (state.focusRequested && input.nowMs - state.lastFocusRequestMs < kFocusRequestSpacingMs) return verdict;
  state.focusRequested = true;
  state.lastFocusRequestMs = input.nowMs;
  verdict.Add(Notice::FocusProjector);
  return verdict;
}

Verdict DecideWindowCommand(InputState& state) noexcept {
  Verdict verdict;
  if (state.dragging) StopDrag(state, verdict, Notice::DragCancel);
  return verdict;
}

bool IsWindowsKey(std::uint32_t virtualKey) noexcept { return virtualKey == vk::kLWin || virtualKey == vk::kRWin; }

bool RefusesKeyMessage(const ControlBlock& block, std::uint32_t message, std::uint32_t virtualKey) noexcept {
  const bool keyMessage =
      message == msg::kKeyDown || message == msg::kKeyUp || message == msg::kSysKeyDown || message == msg::kSysKeyUp;
  return keyMessage && block.BlockSystemKeys != 0 && IsWindowsKey(virtualKey);
}

}  // namespace vnx::engine

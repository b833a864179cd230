// Dragging the runner's window: the engine reports a left-button press in
// the projector window, and an 11 ms timer moves the frame after the cursor
// until the primary button is found released.

#include "contract/control_block.h"
#include "runner/frm_main.h"
#include "window/drag_motion.h"
#include "window/handlers.h"

namespace vnx {
namespace {

constexpr UINT_PTR kDragTimerId = 1231;
constexpr UINT kDragTimerPeriod = 11;

POINT CursorPosition() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return cursor;
}

bool PrimaryButtonDown() {
  const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return GetAsyncKeyState(button) < 0;
}

void OnDragTick(TfrmMain& runner) {
  const POINT cursor = CursorPosition();
  if (!PrimaryButtonDown()) {
    StopDragTimer(runner);
    return;
  }
  const DragStep step =
      NextDragStep({runner.DragAnchor.x, runner.DragAnchor.y}, {cursor.x, cursor.y}, runner.DragMoved);
  if (!step.move) return;
  runner.WindowLeft += step.dx;
  runner.WindowTop += step.dy;
  runner.DragAnchor = cursor;
  MoveWindow(runner.MainWindow, runner.WindowLeft, runner.WindowTop, runner.WindowWidth, runner.WindowHeight, TRUE);
  runner.DragMoved = true;
}

}  // namespace

bool StartDragTimer(TfrmMain& runner) {
  if (runner.DragTimerId != 0) KillTimer(runner.MainWindow, kDragTimerId);
  runner.DragTimerId = static_cast<std::uint32_t>(SetTimer(runner.MainWindow, kDragTimerId, kDragTimerPeriod, nullptr));
  runner.Dragging = runner.DragTimerId == kDragTimerId;
  return runner.Dragging;
}

void StopDragTimer(TfrmMain& runner) {
  if (runner.DragTimerId != 0) KillTimer(runner.MainWindow, kDragTimerId);
  runner.DragTimerId = 0;
  runner.Dragging = false;
}

void StartDrag(TfrmMain& runner, WPARAM mouseMessage) {
  if (!runner.ControlBlock || runner.ControlBlock->PopupMenuOpen || runner.Dragging || mouseMessage != WM_LBUTTONDOWN)
    return;
  runner.DragAnchor = CursorPosition();
  runner.DragMoved = false;
  StartDragTimer(runner);
}

Handled OnTimer(TfrmMain& runner, WPARAM timerId) {
  if (timerId == kDragTimerId && runner.Dragging) OnDragTick(runner);
  return kThenDefault;
}

}  // namespace vnx

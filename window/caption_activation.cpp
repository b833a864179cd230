// With "Interaction" on, the runner's caption stays drawn active while the
// projector window (a child in another process) has the foreground.

#include "contract/control_block.h"
#include "runner/frm_main.h"
#include "window/handlers.h"

namespace vnx {
namespace {

bool ProjectorHasForeground(const TfrmMain& runner) {
  return runner.ProjectorWindow && GetForegroundWindow() == runner.ProjectorWindow;
}

}  // namespace

Handled OnActivateApp(TfrmMain& runner, WPARAM active, LPARAM threadId) {
  const bool lostToOther = !active && static_cast<DWORD>(threadId) != ProjectorThreadIdOf(runner);
  if (lostToOther) StopDragTimer(runner);
  if (!runner.Interaction.Value) return kThenDefault;
  if (!active) SendMessageA(runner.MainWindow, WM_NCACTIVATE, lostToOther ? FALSE : TRUE, 0);
  return 0;
}

Handled OnNcHitTest(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam) {
  if (!runner.Interaction.Value) return kThenDefault;
  const LRESULT hit = DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
  if (hit != HTCLIENT && ProjectorHasForeground(runner)) PostMessageA(window, WM_NCACTIVATE, TRUE, 0);
  return hit;
}

Handled OnNcPaint(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam) {
  if (!runner.Interaction.Value) return kThenDefault;
  const bool fitting = runner.ControlBlock && runner.ControlBlock->FittingInProgress;
  const LRESULT result = fitting ? 0 : DefWindowProcA(window, WM_NCPAINT, wParam, lParam);
  if (ProjectorHasForeground(runner)) SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
  return result;
}

Handled OnNcActivate(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam) {
  if (!runner.Interaction.Value) return kThenDefault;
  if (wParam || !ProjectorHasForeground(runner)) return DefWindowProcA(window, WM_NCACTIVATE, wParam, lParam);
  // Deactivation in favour of our own projector: draw the caption active,
  // unless the foreground has moved on meanwhile.
  if (!ProjectorHasForeground(runner)) return 1;
  return DefWindowProcA(window, WM_NCACTIVATE, TRUE, 0);
}

}  // namespace vnx

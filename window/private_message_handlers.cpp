// The private messages WM_USER+1 ... WM_USER+50. The runner posts
// WM_RUNNER_START and WM_RUNNER_PLAY_MUSIC itself; the engine library posts
// the others from other processes, so every handler tests what it needs.

#include "contract/control_block.h"
#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/runner_seams.h"
#include "window/handlers.h"

namespace vnx {
namespace {

void OnRunnerStart(TfrmMain& runner) {
  try {
    if (runner.SetupMode)
      Seams().RunSetupDialog(runner);
    else
      Seams().StartSession(runner);
  } catch (...) {
    // The session has cleaned up behind itself; the main loop shows the
    // error and then ends instead of lingering without a presentation.
    QuitRequested = true;
    throw;
  }
  QuitRequested = true;
}

void OnRaise(TfrmMain& runner) {
  if (!runner.ControlBlock) return;
  const HWND main = runner.MainWindow;
  if (main) SendMessageA(main, WM_NCACTIVATE, TRUE, 0);
  if (!runner.ProjectorWindow || !main) return;
  const bool interaction = runner.Interaction.Value;
  const bool v6 = runner.ControlBlock->ProjectorV6 != 0;
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (interaction || v6 ? SWP_NOACTIVATE : 0));
  if (!runner.AlwaysOnTop.Value)
    SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(main, WM_NCACTIVATE, TRUE, 0);
  if (!interaction && !v6) SetForegroundWindow(main);
}

void OnShown(TfrmMain& runner) {
  if (runner.ControlBlock) runner.ControlBlock->PresentationShown = 1;
  runner.PresentationShown = true;
}

// Another window is being activated while the popup menu is tracked and no
// item is under the mouse: the menu closes.
void OnActivated(TfrmMain& runner, WPARAM activated) {
  const HWND main = runner.MainWindow;
  const HWND window = reinterpret_cast<HWND>(activated);
  if (runner.ControlBlock && runner.ControlBlock->PopupMenuOpen && window != main &&
      !(GetMenuState(runner.PopupMenu, 0, MF_BYPOSITION) & MF_HILITE)) {
    SendMessageA(main, WM_CANCELMODE, 0, 0);
    StopDragTimer(runner);
  }
  if (GetForegroundWindow() != main || window != main) SendMessageA(main, WM_NCACTIVATE, FALSE, 0);
}

void OnPopupMenu(TfrmMain& runner) {
  if (!IsMenu(runner.PopupMenu) || !runner.ControlBlock || runner.ControlBlock->PopupMenuOpen) return;
  runner.ControlBlock->PopupMenuOpen = 1;
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(runner.PopupMenu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, runner.MainWindow, nullptr);
  runner.ControlBlock->PopupMenuOpen = 0;
}

}  // namespace

void OnPrivateMessage(TfrmMain& runner, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_RUNNER_START: OnRunnerStart(runner); break;
    case WM_RUNNER_RAISE: OnRaise(runner); break;
    case WM_RUNNER_SHOWN: OnShown(runner); break;
    case WM_RUNNER_PLAY_MUSIC: Seams().PlayMusic(runner); break;
    case WM_RUNNER_ACTIVATED: OnActivated(runner, wParam); break;
    case WM_RUNNER_FOCUS_PROJECTOR:
      if (runner.ProjectorWindow) SetForegroundWindow(runner.ProjectorWindow);
      break;
    case WM_RUNNER_POPUP_MENU: OnPopupMenu(runner); break;
    case WM_RUNNER_DRAG_CANCEL: StopDragTimer(runner); break;
    case WM_RUNNER_MOUSE_DOWN: StartDrag(runner, wParam); break;
    case WM_RUNNER_EXIT:
      if (wParam == 0) SendMessageA(runner.MainWindow, WM_CLOSE, 0, 0);
      break;
    case WM_RUNNER_DRAG_END:
      if (runner.Dragging) StopDragTimer(runner);
      break;
    default: break;  // the rest of the range is reserved and answered with 0
  }
}

}  // namespace vnx

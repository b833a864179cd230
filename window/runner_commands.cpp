// The popup menu's commands (Close, Setup, Minimize), the presentation's
// full-screen commands, and Esc typed into the runner's window.

#include "contract/control_block.h"
#include "dialogs/frm_setup.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/projector_end.h"
#include "runner/runner_seams.h"
#include "runner/window_layout.h"
#include "window/handlers.h"
#include "window/main_window_proc.h"

namespace vnx {
namespace {

constexpr unsigned kCommandFullScreen = 132;
constexpr unsigned kCommandNoFullScreen = 133;
constexpr int kParkingPosition = -15000;

void OnCloseCommand(TfrmMain& runner) {
  if (SetupDialog)
    SendMessageA(SetupDialog->DialogWindow, WM_CLOSE, 0, 0);
  else
    CloseProjector(runner);
}

// A confirmed change of the viewer's choices restarts the whole runner once
// the projector has gone.
void OnSetupCommand(TfrmMain& runner) {
  if (SetupDialog) {
    SetFocus(SetupDialog->DialogWindow);
    return;
  }
  if (Seams().RunSetupDialog(runner)) {
    AskProjectorToClose(runner);
    RestartRequested = true;
  }
}

void ParkProjector(const TfrmMain& runner) {
  SetWindowPos(runner.ProjectorWindow, nullptr, kParkingPosition, kParkingPosition, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

Handled OnFullScreenCommand(TfrmMain& runner) {
  if (runner.InFullScreen) return 0;
  runner.InFullScreen = true;
  GetWindowRect(runner.MainWindow, &runner.SavedRect);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  runner.SavedStyle = static_cast<std::uint32_t>(GetWindowLongA(runner.MainWindow, GWL_STYLE));
  ParkProjector(runner);
  SetWindowLongA(runner.MainWindow, GWL_STYLE, WS_VISIBLE);
  AdjustWindowRectEx(&desktop, WS_VISIBLE, FALSE, static_cast<DWORD>(GetWindowLongA(runner.MainWindow, GWL_EXSTYLE)));
  // The WM_SIZE that follows makes the run loop fit the projector again.
  SetWindowPos(runner.MainWindow, nullptr, desktop.left, desktop.top, desktop.right - desktop.left,
               desktop.bottom - desktop.top, SWP_NOZORDER);
  return kThenDefault;
}

Handled OnNoFullScreenCommand(TfrmMain& runner) {
  if (!runner.InFullScreen) return 0;
  runner.InFullScreen = false;
  ParkProjector(runner);
  SetWindowLongA(runner.MainWindow, GWL_STYLE, static_cast<LONG>(runner.SavedStyle));
  const RECT& saved = runner.SavedRect;
  SetWindowPos(runner.MainWindow, nullptr, saved.left, saved.top, saved.right - saved.left, saved.bottom - saved.top,
               SWP_NOZORDER);
  return kThenDefault;
}

}  // namespace

Handled OnCommand(TfrmMain& runner, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || !runner.ProjectorWindow) return kThenDefault;
  switch (LOWORD(wParam)) {
    case kCommandClose: OnCloseCommand(runner); break;
    case kCommandSetup: OnSetupCommand(runner); break;
    case kCommandMinimize: PostMessageA(runner.MainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case kCommandFullScreen: return OnFullScreenCommand(runner);
    case kCommandNoFullScreen: return OnNoFullScreenCommand(runner);
    default: break;
  }
  return kThenDefault;
}

Handled OnChar(TfrmMain& runner, WPARAM character) {
  if (character == 27 && runner.ControlBlock && runner.ControlBlock->ExitOnEsc && runner.ProjectorWindow)
    CloseProjector(runner);
  return kThenDefault;
}

}  // namespace vnx

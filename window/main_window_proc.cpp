#include "window/main_window_proc.h"

#include "common/callback_guard.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/runner_seams.h"
#include "window/private_messages.h"

namespace vnx {
namespace {

void OnDestroy(TfrmMain& runner) {
  if (IsMenu(runner.PopupMenu)) {
    DestroyMenu(runner.PopupMenu);
    runner.PopupMenu = nullptr;
  }
}

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

void OnPrivateMessage(TfrmMain& runner, UINT message) {
  switch (message) {
    case WM_RUNNER_START:
      OnRunnerStart(runner);
      break;
    default:
      break;
  }
}

LRESULT Route(TfrmMain& runner, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy(runner);
      break;
    case WM_CLOSE:
      CloseProjector(runner);
      return 0;
    default:
      if (message >= kFirstPrivateMessage && message <= kLastPrivateMessage) {
        OnPrivateMessage(runner, message);
        return 0;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&] {
    if (!frmMain) return DefWindowProcA(window, message, wParam, lParam);
    return Route(*frmMain, window, message, wParam, lParam);
  });
}

void CloseProjector(TfrmMain& runner) {
  if (!runner.ProjectorWindow) return;
  AttachThreadInput(GetCurrentThreadId(), runner.ProjectorInfo.dwThreadId, FALSE);
  PostMessageA(runner.ProjectorWindow, WM_CLOSE, 0, 0);
}

}  // namespace vnx

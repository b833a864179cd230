#include "window/main_window_proc.h"

#include <mmsystem.h>

#include "common/callback_guard.h"
#include "contract/control_block.h"
#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/projector_end.h"
#include "window/handlers.h"

namespace vnx {
namespace {

static_assert(kWindowsUserMessage == WM_USER);  // the private messages are spelled without <windows.h>

bool IsRegistered(UINT message, std::uint32_t id) { return id != 0 && id != 0xFFFFFFFFu && message == id; }

Handled RouteRegistered(TfrmMain& runner, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsRegistered(message, runner.GlobalCloseMessage)) return OnGlobalCloseMessage(runner, wParam, lParam);
  if (IsRegistered(message, static_cast<std::uint32_t>(runner.RunnerServerMessage)))
    return OnRunnerServerMessage(runner, wParam, lParam);
  return kThenDefault;
}

Handled Route(TfrmMain& runner, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: return OnDestroy(runner);
    case WM_MOVE: return OnMove(runner);
    case WM_SIZE: return OnSize(runner);
    case WM_SETTEXT: return HandleSetText(runner, wParam, reinterpret_cast<const char*>(lParam));
    case WM_CLOSE: CloseProjector(runner); return 0;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION: return OnEndSession(runner);
    case WM_ERASEBKGND: return OnEraseBackground(runner, reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATEAPP: return OnActivateApp(runner, wParam, lParam);
    case WM_CANCELMODE: StopDragTimer(runner); return kThenDefault;
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(runner, *reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_NCHITTEST: return OnNcHitTest(runner, window, wParam, lParam);
    case WM_NCPAINT: return OnNcPaint(runner, window, wParam, lParam);
    case WM_NCACTIVATE: return OnNcActivate(runner, window, wParam, lParam);
    case WM_CHAR: return OnChar(runner, wParam);
    case WM_COMMAND: return OnCommand(runner, wParam, lParam);
    case WM_TIMER: return OnTimer(runner, wParam);
    case WM_SIZING: return OnSizing(runner, wParam, *reinterpret_cast<RECT*>(lParam));
    case MM_MCINOTIFY: runner.MusicPlayer.HandleNotify(wParam); return kThenDefault;
    default: break;
  }
  if (message >= kFirstPrivateMessage && message <= kLastPrivateMessage) {
    OnPrivateMessage(runner, message, wParam);
    return 0;
  }
  return RouteRegistered(runner, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&] {
    if (frmMain) {
      if (const Handled result = Route(*frmMain, window, message, wParam, lParam)) return *result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  });
}

DWORD ProjectorThreadIdOf(const TfrmMain& runner) {
  return runner.ControlBlock ? runner.ControlBlock->ProjectorThreadId : 0;
}

void CloseProjector(TfrmMain& runner) {
  if (!runner.ProjectorWindow) return;
  AttachThreadInput(GetCurrentThreadId(), ProjectorThreadIdOf(runner), FALSE);
  AskProjectorToClose(runner);
}

}  // namespace vnx

// Frame bookkeeping of the main window: its rectangle, the client size the
// projector follows, the grey background after a user resize, z-order
// requests, ratio-keeping sizing and the end of the Windows session.

#include "dialogs/frm_setup.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/projector_end.h"
#include "window/handlers.h"
#include "window/ratio_sizing.h"

namespace vnx {
namespace {

void StoreWindowRect(TfrmMain& runner) {
  RECT rect{};
  if (!GetWindowRect(runner.MainWindow, &rect)) return;
  runner.WindowLeft = rect.left;
  runner.WindowTop = rect.top;
  runner.WindowWidth = rect.right - rect.left;
  runner.WindowHeight = rect.bottom - rect.top;
}

}  // namespace

Handled OnDestroy(TfrmMain& runner) {
  if (IsMenu(runner.PopupMenu)) {
    DestroyMenu(runner.PopupMenu);
    runner.PopupMenu = nullptr;
  }
  return kThenDefault;
}

Handled OnMove(TfrmMain& runner) {
  if (runner.MainWindow) StoreWindowRect(runner);
  return kThenDefault;
}

// During CreateWindowEx MainWindow is still 0: the settings' rectangle and
// the client size chosen so far stay as they are until creation returns.
Handled OnSize(TfrmMain& runner) {
  if (!runner.MainWindow) return kThenDefault;
  StoreWindowRect(runner);
  RECT client{};
  GetClientRect(runner.MainWindow, &client);
  ClientWidth = client.right - client.left;
  ClientHeight = client.bottom - client.top;
  ResizePending = true;
  return kThenDefault;
}

Handled OnEraseBackground(TfrmMain& runner, HDC dc) {
  if (runner.UserResized) {
    RECT client{};
    GetClientRect(runner.MainWindow, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }
  return kThenDefault;
}

Handled OnWindowPosChanging(TfrmMain& runner, WINDOWPOS& position) {
  if (!runner.DisableClickForeground.Value || !runner.ShowFinished) return kThenDefault;
  if (position.hwndInsertAfter == HWND_TOP) position.flags |= SWP_NOZORDER | SWP_NOACTIVATE;
  return 0;
}

// Dragging an edge or a corner keeps the shape of the reference size; from
// then on the background is painted grey behind the projector.
Handled OnSizing(TfrmMain& runner, WPARAM edge, RECT& proposed) {
  if (!runner.MainWindow || !runner.MaintainRatio.Value) return kThenDefault;
  runner.UserResized = true;
  POINT cursor{};
  GetCursorPos(&cursor);
  const EdgeRect fitted = KeepRatioWhileSizing(
      static_cast<int>(edge), {proposed.left, proposed.top, proposed.right, proposed.bottom},
      {runner.ReferenceWidth, runner.ReferenceHeight},
      {runner.WindowLeft, runner.WindowTop, runner.WindowWidth, runner.WindowHeight}, {cursor.x, cursor.y});
  proposed = {fitted.Left, fitted.Top, fitted.Right, fitted.Bottom};
  return kThenDefault;
}

Handled OnEndSession(TfrmMain& runner) {
  if (SetupDialog)
    SendMessageA(SetupDialog->DialogWindow, WM_CLOSE, 0, 0);
  else if (runner.ProjectorWindow)
    AskProjectorToClose(runner);
  return kThenDefault;
}

}  // namespace vnx

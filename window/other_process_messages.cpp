// The two registered messages through which other processes reach a runner:
// the position query and the close broadcast.

#include "common/text.h"
#include "runner/atom_environment.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/runner_seams.h"
#include "session/exe_name.h"
#include "window/handlers.h"
#include "window/screen_scaling.h"
#include "window/server_query.h"

namespace vnx {

// WParam 0 closes the runners of one executable (the atom names a program
// path); any other WParam is a runner's window, forwarded to our projector
// when that runner started us.
Handled OnGlobalCloseMessage(TfrmMain& runner, WPARAM wParam, LPARAM lParam) {
  const UINT message = runner.GlobalCloseMessage;
  const ATOM atom = static_cast<ATOM>(lParam);
  if (wParam == 0) {
    runner.GlobalCloseMessage = 0xFFFFFFFFu;  // deaf to every later broadcast
    if (EqualsIgnoringCase(FileNamePart(ReadAtomText(atom)), FileNamePart(Seams().ProgramPath())))
      SendMessageA(runner.MainWindow, WM_CLOSE, 0, 0);
  } else if (EnvHoldsWindow(wParam, atom) && runner.ProjectorWindow) {
    PostMessageA(runner.ProjectorWindow, message, wParam, lParam);
  }
  return kThenDefault;
}

LRESULT OnRunnerServerMessage(TfrmMain& runner, WPARAM wParam, LPARAM lParam) {
  const ServerQuery query = ParseServerQuery(wParam, lParam);
  switch (query.kind) {
    case ServerQuery::Kind::Tag: return kRunnerTag;
    case ServerQuery::Kind::Coordinate: {
      POINT corner = query.bottomRight ? POINT{ClientWidth, ClientHeight} : POINT{0, 0};
      ClientToScreen(runner.MainWindow, &corner);
      // Asked by programs that declare nothing about scaling: in their pixels.
      return UnscaledPixelsOf(query.yAxis ? corner.y : corner.x, ScreenDpi);
    }
    case ServerQuery::Kind::Invalid: break;
  }
  return -1;
}

}  // namespace vnx

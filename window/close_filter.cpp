#include "window/close_filter.h"

#include "contract/control_block.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/projector_end.h"
#include "runner/pump.h"

namespace vnx {
namespace {

void PumpThenWait(DWORD milliseconds) {
  PumpPending();
  Sleep(milliseconds);
}

void CloseProjectorGracefully(TfrmMain& runner) {
  const HWND projector = runner.ProjectorWindow;
  SetWindowPos(runner.MainWindow, nullptr, ScreenWidth - 1, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  PumpThenWait(55);
  SendMessageA(projector, WM_COMMAND, static_cast<WPARAM>(runner.FullScreenCommand), 0);
  PumpThenWait(55);
  ShowWindow(projector, SW_HIDE);
  PumpThenWait(555);
  AskProjectorToClose(runner);
  PumpPending();
}

}  // namespace

void CloseFilter(TfrmMain& runner, MSG& message, bool& handled) {
  if (runner.RunnerMessage == 0 || message.message != runner.RunnerMessage || message.wParam != 0) return;
  handled = true;
  ControlBlock* block = runner.ControlBlock;
  if (!block || block->ProjectorThreadId == 0) return;
  const DWORD projectorThread = block->ProjectorThreadId;
  // Cleared first: a second request arriving in the pumping below only marks
  // itself handled.
  block->ProjectorThreadId = 0;
  if (runner.ProjectorWindow)
    CloseProjectorGracefully(runner);
  else
    PostThreadMessageA(projectorThread, WM_QUIT, 1, 0);
}

}  // namespace vnx

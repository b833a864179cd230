#include "runner/projector_end.h"

#include "runner/frm_main.h"

namespace vnx {
namespace {

constexpr UINT kEndedExitCode = 1;
constexpr DWORD kEndWait = 5000;
constexpr DWORD kAnswerWait = 1000;

}  // namespace

void EndProjector(HANDLE process) {
  TerminateProcess(process, kEndedExitCode);
  WaitForSingleObject(process, kEndWait);
}

void AskProjectorToClose(TfrmMain& runner) {
  PostMessageA(runner.ProjectorWindow, WM_CLOSE, 0, 0);
  if (runner.ProjectorWindow && !runner.ProjectorCloseAskedAt) runner.ProjectorCloseAskedAt = GetTickCount();
}

void EndProjectorIfHung(TfrmMain& runner) {
  if (!runner.ProjectorCloseAskedAt || GetTickCount() - *runner.ProjectorCloseAskedAt < kProjectorCloseGrace) return;
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(runner.ProjectorWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerWait, &ignored))
    EndProjector(runner.ProjectorInfo.hProcess);
}

}  // namespace vnx

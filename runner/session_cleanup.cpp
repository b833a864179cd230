#include "runner/session_cleanup.h"

#include <windows.h>

#include "common/system_text.h"
#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/projector_job.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "runner/session_holders.h"
#include "runner/shell_delete.h"
#include "runner/work_dir_claim_win.h"
#include "session/file_system.h"
#include "session/satellite_tools_win.h"

namespace vnx {
namespace {

// Pumps pending messages to the end; a window procedure's exception is kept
// (the first one) instead of cutting the cleanup short.
class CleanupPump {
 public:
  void operator()() {
    while (!Keep(PumpPending)) {
    }
  }
  // Runs a step that may pump by itself; true when it ran to its end.
  template <class Step>
  bool Keep(Step step) {
    try {
      step();
      return true;
    } catch (...) {
      if (!first_) first_ = std::current_exception();
      return false;
    }
  }
  std::exception_ptr First() const { return first_; }

 private:
  std::exception_ptr first_;
};

// Tells every window that this runner ends; runners and projectors started
// from it forward the news to their own projectors. The registered id is
// taken afresh: the window's own copy is -1 once it has heard a broadcast.
void BroadcastEnd(const TfrmMain& runner) {
  const UINT message = RegisterWindowMessageA(kGlobalCloseMessageName);
  const ATOM atom = GlobalAddAtomW(WideFromUtf8(runner.ExeFileName).c_str());  // the receivers read it; it stays
  PostMessageA(HWND_BROADCAST, message, reinterpret_cast<WPARAM>(runner.MainWindow), atom);
}

void CloseProjectorHandles(TfrmMain& runner) {
  if (runner.ProjectorInfo.hThread) CloseHandle(runner.ProjectorInfo.hThread);
  if (runner.ProjectorInfo.hProcess) CloseHandle(runner.ProjectorInfo.hProcess);
  runner.ProjectorInfo.hThread = runner.ProjectorInfo.hProcess = nullptr;
}

// The engine library may still be mapped by processes its hooks reached.
void DeleteEngineFile(const TfrmMain& runner, CleanupPump& pump) {
  for (int attempt = 1; attempt <= 3; ++attempt) {
    if (DeleteFileA(runner.EngineFile.c_str())) return;
    if (attempt < 3)
      Sleep(555);
    else
      DeleteAtNextStart(runner.EngineFile);
    pump();
  }
}

void RemoveWorkDir(const std::string& workDir, UniqueFileHandle& claim) {
  ShellDelete(workDir + "*.dat", kQuietDelete);
  ReleaseWorkDirClaim(workDir, claim);
  const std::string directory = workDir.substr(0, workDir.size() - 1);
  if (RemoveDirectoryA(directory.c_str())) return;
  const DWORD start = GetTickCount();
  while (!ShellDelete(directory, kQuietDelete)) {
    Sleep(111);
    const DWORD now = GetTickCount();
    if ((now > start ? now - start : start - now) > 1111) {
      ShellDelete(directory, kQuietDeleteToRecycleBin);
      // Still there (the engine file waits for the restart): the directory
      // goes at the restart too, right after the file.
      if (GetFileAttributesA(directory.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteAtNextStart(directory);
      return;
    }
  }
}

}  // namespace

std::exception_ptr CleanUpSession(TfrmMain& runner, SessionHolders& holders) {
  CleanupPump pump;
  const bool workDirClaimed = !runner.WorkDir.empty();

  runner.RunnerServerMessage = 0;  // no more position answers
  BroadcastEnd(runner);
  holders.Covers.reset();  // the black beside the presentation goes with it
  holders.StartupAtom.reset();
  LetGoOfStartupMutex(holders);
  if (runner.ProjectorInfo.dwThreadId) AttachThreadInput(GetCurrentThreadId(), runner.ProjectorInfo.dwThreadId, FALSE);
  if (!runner.MusicFile.empty()) pump.Keep([&runner] { Seams().StopMusic(runner); });
  if (!holders.ProjectorPath.empty()) DeleteFileA((runner.WorkDir + runner.ProjectorFile).c_str());
  for (const std::string& file : runner.ExtraFiles) {
    pump();
    DeleteFileA(file.c_str());
  }
  if (holders.MutedSound) Seams().RestoreWaveOutput(runner, holders);
  LetGoOfProjector();
  CloseProjectorHandles(runner);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  MessageFilter = nullptr;
  Seams().TearDownEngine(runner, holders);
  PostMessageA(runner.MainWindow, WM_CLOSE, 0, 0);
  pump();
  RemoveSatelliteTools(runner.ToolFiles, runner.ToolPrograms);
  pump();
  if (workDirClaimed) RemoveCreatedSubdirs(runner.CreatedSubdirs, runner.WorkDir);
  pump();
  if (runner.EnginePathFormed()) DeleteEngineFile(runner, pump);
  if (workDirClaimed) {
    RemoveWorkDir(runner.WorkDir, holders.WorkDirClaim);
    // Runners that were killed or crashed could not clean up behind
    // themselves; the next one to end does it for them.
    const std::string& workDir = runner.WorkDir;
    SweepLeftoversOfDeadRunners(workDir.substr(0, workDir.find_last_of('\\', workDir.size() - 2) + 1), workDir);
  }
  return pump.First();
}

}  // namespace vnx

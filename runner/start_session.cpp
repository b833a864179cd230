#include "runner/start_session.h"

#include <windows.h>

#include <exception>

#include "common/system_text.h"
#include "common/text.h"
#include "contract/control_block.h"
#include "contract/shared_names.h"
#include "runner/extraction_passes.h"
#include "runner/frm_main.h"
#include "runner/program_identity.h"
#include "runner/runner_seams.h"
#include "runner/session_cleanup.h"
#include "runner/session_holders.h"
#include "runner/startup_trace.h"
#include "runner/work_dir_claim_win.h"
#include "session/file_roles.h"
#include "session/file_system.h"
#include "session/nameable_directory_win.h"
#include "session/satellite_tools_win.h"
#include "session/settings_win.h"

namespace vnx {
namespace {

constexpr DWORD kStartupMutexWait = 5555;

void ShowIcon(const TfrmMain& runner) {
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  SendMessageA(runner.MainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

// A runner that was killed could not delete its start-up atom, and global
// atoms outlive processes. The first live runner of an executable knows that
// every such atom found is a dead runner's and removes it before it adds its
// own. Whether others live tells a named mutex that each runner opens once
// and holds until its process ends.
void ForgetStartupAtomsOfDeadRunners(const std::string& exeFileName) {
  static UniqueKernelHandle alive;
  if (alive) return;  // a restarted lifecycle: done at the first
  alive.reset(CreateMutexW(nullptr, FALSE, WideFromUtf8(kAliveMutexPrefix + LowerAscii(exeFileName)).c_str()));
  if (!alive || GetLastError() == ERROR_ALREADY_EXISTS) return;
  const std::wstring name = WideFromUtf8(kStartupAtomPrefix + exeFileName);
  for (int left = 10000; left > 0; --left) {
    const ATOM atom = GlobalFindAtomW(name.c_str());
    if (atom == 0 || GlobalDeleteAtom(atom) != 0) return;
  }
}

void ResetSessionHandles(TfrmMain& runner) {
  runner.ControlBlock = nullptr;
  runner.ProjectorInfo = {};
}

std::string TempBaseOf(TfrmMain& runner) { return TempBaseDirectory(*runner.RegIniFile, runner.ExeStem); }

// Serialises the choice of the instance number among runners that start at
// the same moment. Without a handle the runner goes on unguarded; a wait that
// neither gets nor inherits the mutex ends the start-up.
bool WaitForStartupMutex(SessionHolders& holders) {
  holders.StartupMutex.reset(CreateMutexA(nullptr, FALSE, kStartupMutexName));
  if (!holders.StartupMutex) return true;
  const DWORD wait = WaitForSingleObject(holders.StartupMutex.get(), kStartupMutexWait);
  holders.StartupMutexOwned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  return holders.StartupMutexOwned;
}

// Start-up steps after the atom; every way out of here passes the cleanup.
void RunSession(TfrmMain& runner, SessionHolders& holders) {
  SetCurrentDirectoryW(WideFromUtf8(ProgramDirectory(Seams().ProgramPath())).c_str());
  runner.SessionReader->UseOwnExe = true;
  runner.UseCurrentDir = DecideUseCurrentDir(runner.CurrentDir, [&runner] { return RunProbePass(runner); });

  const std::string tempBase = TempBaseOf(runner);
  if (!WaitForStartupMutex(holders)) return;
  const std::string workDir = ClaimWorkDir(tempBase, runner.InstanceSlot, holders.WorkDirClaim);
  runner.InstanceSuffix = InstanceSuffixFor(runner.InstanceSlot);
  // Released as soon as the number is taken: a runner started at the same
  // moment waits for the claim, not for this whole presentation. From here
  // on the held claim file keeps the directory this runner's.
  LetGoOfStartupMutex(holders);
  runner.WorkDir = workDir + "\\";
  TraceStartup("directory-claimed");

  RunMainPass(runner);
  if (runner.EngineFile.empty()) return;  // a session without engine ends quietly
  SetUpSatelliteTools(runner.ToolFiles, runner.ToolPrograms, runner.WorkDir);
  TraceStartup("extracted");
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (!Seams().BringUpEngine(runner, holders)) return;
  TraceStartup("engine-up");
  Seams().LaunchProjector(runner, holders);
}

}  // namespace

void StartSession(TfrmMain& runner) {
  ShowIcon(runner);
  if (!Seams().CheckPassword(runner)) return;
  TraceStartup("password-gate");
  ResetSessionHandles(runner);
  SessionHolders holders;
  ForgetStartupAtomsOfDeadRunners(runner.ExeFileName);
  holders.StartupAtom.reset(GlobalAddAtomW(WideFromUtf8(kStartupAtomPrefix + runner.ExeFileName).c_str()));

  std::exception_ptr failure;
  try {
    RunSession(runner, holders);
  } catch (...) {
    failure = std::current_exception();
  }
  const std::exception_ptr cleanupFailure = CleanUpSession(runner, holders);
  // The session's own failure comes first; a handler that failed while the
  // cleanup pumped is reported only when nothing else went wrong.
  if (failure) std::rethrow_exception(failure);
  if (cleanupFailure) std::rethrow_exception(cleanupFailure);
}

}  // namespace vnx

#include "runner/projector_launch.h"

#include <vector>

#include "common/handle.h"
#include "common/library_function.h"
#include "common/system_libraries.h"
#include "common/system_text.h"
#include "contract/control_block.h"
#include "contract/library_exports.h"
#include "contract/private_messages.h"
#include "contract/projector.h"
#include "runner/before_show.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/program_identity.h"
#include "runner/projector_end.h"
#include "runner/projector_job.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "runner/session_holders.h"
#include "runner/startup_trace.h"
#include "session/file_system.h"
#include "session/file_system_text.h"
#include "session/nameable_directory_win.h"
#include "window/close_filter.h"
#include "window/projector_fitting.h"
#include "window/saver_covers.h"

namespace vnx {
namespace {

constexpr DWORD kInputIdleWait = 11111;
constexpr DWORD kWindowSearchTime = 11000;
constexpr DWORD kWindowSearchPause = 22;
constexpr DWORD kRunLoopPause = 44;

std::string Decimal(std::uintptr_t value) { return std::to_string(value); }

void SetVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

// The program's path or folder as the projector can name it: the code
// page's name, else the short form; empty when neither exists.
std::string NameableProgramPath(const std::string& wholePath) {
  return NameableForm(NamesOfDirectory(WideFromUtf8(wholePath))).value_or(std::string());
}

// "CurrentDir": the projector starts in the program's folder, which the
// start-up made the current directory. A folder the code page cannot name,
// not even by a short form, cannot be given to the projector: it starts in
// the working directory then, as with "CurrentDir=1".
std::string InitialDirectoryBesideTheProgram(const TfrmMain& runner) {
  const std::string nameable = NameableProgramPath(ProgramDirectory(Seams().ProgramPath()));
  return nameable.empty() ? runner.WorkDir : nameable;
}

STARTUPINFOA ProjectorStartupInfo() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_FORCEOFFFEEDBACK;  // 0x85
  startup.wShowWindow = SW_SHOWNORMAL;
  startup.dwX = 5000;  // the projector's first window opens far off the screen
  startup.dwY = static_cast<DWORD>(-5000);
  return startup;
}

// Every process started from here on inherits these, the projector first.
void PublishRunner(const TfrmMain& runner) {
  const std::string window = Decimal(reinterpret_cast<std::uintptr_t>(runner.MainWindow));
  const std::string programPath = Seams().ProgramPath();
  const std::string nameable = NameableProgramPath(programPath);
  SetVariable(kEngineVariable, nameable.empty() ? CodePageRendering(WideFromUtf8(programPath)) : nameable);
  SetVariable(kRunnerProcessVariable, Decimal(GetCurrentProcessId()));
  SetVariable(kRunnerWindowVariable, window);
  // Named after the whole file name: only runners read it, by that name.
  SetEnvironmentVariableW(WideFromUtf8(runner.ExeFileName).c_str(), WideFromCodePage(window).c_str());
}

void PublishDirectories(const TfrmMain& runner, const std::string& projectorPath, const std::string& initialDir) {
  SetVariable(kProjectorPathVariable, projectorPath);
  SetVariable(kRootDirVariable, runner.WorkDir);
  SetVariable(kInitialDirVariable, initialDir);
}

// The pause between looks waits on the projector's process: once it has
// ended no window can come, and the viewer is not kept waiting the rest of
// the search.
void FindWindowOfProjector(TfrmMain& runner) {
  const DWORD start = GetTickCount();
  while (!runner.ProjectorWindow && GetTickCount() - start < kWindowSearchTime) {
    if (WaitForSingleObject(runner.ProjectorInfo.hProcess, kWindowSearchPause) != WAIT_TIMEOUT) return;
    EnumThreadWindows(runner.ProjectorInfo.dwThreadId, FindProjectorWindow, reinterpret_cast<LPARAM>(&runner));
  }
}

bool FullScreenFrameless(const TfrmMain& runner) {
  return runner.FullScreen.Value && (!runner.CustomSize.Value || runner.NoBorder.Value || runner.NoTitle.Value);
}

bool BareFullScreenTopmost(const TfrmMain& runner) {
  return runner.FullScreen.Value && !runner.CustomSize.Value && (OsWinMe || OsWinNT5);
}

void ShowPresentation(TfrmMain& runner) {
  SetWindowPos(runner.MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Sleep(55);
  PumpPending();
  SetWindowPos(runner.ProjectorWindow, HWND_NOTOPMOST, 0, 0, ClientWidth, ClientHeight,
               SWP_SHOWWINDOW | SWP_NOZORDER | (runner.KeyInteraction.Value ? 0 : SWP_NOACTIVATE));
  SetForegroundWindow(runner.MainWindow);
  runner.ControlBlock->PresentationRunning = 1;
}

// Once the engine reports the presentation visible: the final z-order, the
// music, and the close filter for the graceful close.
void SettleShownPresentation(TfrmMain& runner) {
  if (!MessageFilter) {
    SetWindowPos(runner.MainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(111);
    const bool topmost = runner.AlwaysOnTop.Value || BareFullScreenTopmost(runner);
    SetWindowPos(runner.MainWindow, topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    PostMessageA(runner.MainWindow, WM_RUNNER_PLAY_MUSIC, 0, 0);
    InvalidateRect(runner.ProjectorWindow, nullptr, TRUE);
  } else {
    PumpPending();
  }
  runner.ShowFinished = true;
  MessageFilter = [&runner](MSG& message, bool& handled) { CloseFilter(runner, message, handled); };
}

// Run as the screen saver, black covers take the monitors the presentation
// does not, once it is shown in its place; the monitors are looked at once.
void CoverOtherMonitors(const TfrmMain& runner, SessionHolders& holders) {
  if (!runner.ScreenSaverMode || holders.Covers) return;
  const CoverExits exits{!runner.Interaction.Value, !runner.KeyInteraction.Value, runner.ExitOnESC.Value};
  holders.Covers.emplace(runner.MainWindow, DisplayMonitors(), exits);
}

// One pass about every 44 ms until the projector process has ended.
void RunLoop(TfrmMain& runner, SessionHolders& holders) {
  while (WaitForSingleObject(runner.ProjectorInfo.hProcess, kRunLoopPause) == WAIT_TIMEOUT) {
    if (ResizePending) {
      SetWindowPos(runner.ProjectorWindow, HWND_NOTOPMOST, 0, 0, ClientWidth, ClientHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(runner.ProjectorWindow, nullptr, TRUE);
      ResizePending = false;
    }
    if (FullScreenFrameless(runner) && (OsWinMe || OsWinNT5))
      SetWindowPos(FindWindowA("Shell_TrayWnd", nullptr), runner.MainWindow, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    runner.ControlBlock->ExitOnAnyKey = !runner.KeyInteraction.Value;
    if (runner.PresentationShown) {
      SettleShownPresentation(runner);
      CoverOtherMonitors(runner, holders);
    }
    if (QuitRequested)
      AskProjectorToClose(runner);
    else
      KeepProjectorInFront(runner);
    EndProjectorIfHung(runner);
  }
}

}  // namespace

bool HasProductVersion6(const std::string& path) {
  // version.dll is not one of the system's known DLLs: loaded from the
  // system directory for the check alone. Without it the projector counts as
  // one without a version resource.
  const UniqueLibrary library(LoadSystemLibrary("version.dll"));
  const auto getSize = LibraryFunction<decltype(&GetFileVersionInfoSizeA)>(library.get(), "GetFileVersionInfoSizeA");
  const auto getInfo = LibraryFunction<decltype(&GetFileVersionInfoA)>(library.get(), "GetFileVersionInfoA");
  const auto queryValue = LibraryFunction<decltype(&VerQueryValueA)>(library.get(), "VerQueryValueA");
  if (!getSize || !getInfo || !queryValue) return false;
  DWORD ignored = 0;
  const DWORD size = getSize(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  return getInfo(path.c_str(), 0, size, data.data()) &&
         queryValue(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
         fixed->dwProductVersionMS >= 0x00060000;
}

void RunBeforeShow(TfrmMain& runner) {
  const BeforeShowCommand command = ParseBeforeShow(runner.BeforeShow);
  const std::string path = runner.SessionReader->TargetDir + command.file;
  if (command.kind == BeforeShowCommand::Kind::Program) {
    WinExec((path + " " + command.arguments).c_str(), SW_SHOWNORMAL);
    return;
  }
  if (command.kind != BeforeShowCommand::Kind::Library) return;
  const HMODULE library = LoadLibraryA(path.c_str());
  if (!library) return;
  using BeforeShowProc = void(WINAPI*)(char* buffer, HWND mainWindow, const char* arguments);
  const auto procedure =
      reinterpret_cast<BeforeShowProc>(reinterpret_cast<void (*)()>(GetProcAddress(library, kBeforeShowExport)));
  if (procedure) {
    char buffer[256] = {};
    const std::string arguments = command.arguments + '\0';  // two NULs end the text
    try {
      procedure(buffer, runner.MainWindow, arguments.c_str());
    } catch (...) {
      // Whatever the library does wrong, the presentation goes on.
    }
  }
  FreeLibrary(library);
}

void LaunchProjector(TfrmMain& runner, SessionHolders& holders) {
  if (runner.ProjectorFile.empty()) return;
  holders.ProjectorPath = runner.WorkDir + runner.ProjectorFile;
  if (!runner.MusicFile.empty()) runner.MusicFile = runner.WorkDir + runner.MusicFile;
  STARTUPINFOA startup = ProjectorStartupInfo();
  PublishRunner(runner);

  const std::string initialDir = WithoutTrailingBackslash(
      runner.UseCurrentDir ? InitialDirectoryBesideTheProgram(runner) : runner.WorkDir, SystemLeadByte);
  WriteShortString(runner.ControlBlock->InitialDir, initialDir);
  std::string projectorPath = holders.ProjectorPath;
  const std::string besideRunner = initialDir + "\\" + runner.ProjectorSourceName;
  if (SameFileContent(projectorPath, besideRunner)) projectorPath = besideRunner;
  PublishDirectories(runner, projectorPath, initialDir);

  runner.ControlBlock->ProjectorV6 = HasProductVersion6(projectorPath);
  OpenJobToTheProjector();
  const bool created = CreateProcessA(projectorPath.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                      nullptr, initialDir.c_str(), &startup, &runner.ProjectorInfo);
  CloseJobBehindTheProjector(created ? runner.ProjectorInfo.hProcess : nullptr);
  if (!created) return;
  TraceStartup("projector-started");
  runner.ControlBlock->ProjectorProcessId = runner.ProjectorInfo.dwProcessId;
  runner.ControlBlock->ProjectorThreadId = runner.ProjectorInfo.dwThreadId;
  if (runner.Sound.Value) Seams().MuteWaveOutput(runner, holders);

  runner.ProjectorWindow = nullptr;
  ResumeThread(runner.ProjectorInfo.hThread);
  WaitForInputIdle(runner.ProjectorInfo.hProcess, kInputIdleWait);
  TraceStartup("projector-idle");
  FindWindowOfProjector(runner);
  TraceStartup("window-found");
  if (!runner.ProjectorWindow) {
    runner.WindowNotFound = true;
    EndProjector(runner.ProjectorInfo.hProcess);
    return;
  }
  ShowWindow(runner.ProjectorWindow, SW_HIDE);
  AttachThreadInput(GetCurrentThreadId(), runner.ProjectorInfo.dwThreadId, TRUE);
  if (!runner.BeforeShow.empty()) RunBeforeShow(runner);
  FitProjectorWindow(runner);
  TraceStartup("fitted");
  runner.ControlBlock->ProjectorWindow =
      static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(runner.ProjectorWindow));
  ShowPresentation(runner);
  TraceStartup("shown");
  RunLoop(runner, holders);
  ShowWindow(runner.MainWindow, SW_HIDE);
}

}  // namespace vnx

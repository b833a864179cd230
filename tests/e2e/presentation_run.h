#pragma once
// End-to-end runs: a presentation packed behind the real runner.exe, with
// the stand-in projector, our engine library and a settings file, started as
// a process of its own the way a viewer starts it. The test reads what
// happened from real windows, the shared control block and the projector's
// log. One presentation runs at a time, so its working directory is always
// instance 0's.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "contract/control_block.h"
#include "projector/log_format.h"
#include "tests/support/packed_show.h"
#include "tests/support/projector_process.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

struct PresentationSpec {
  std::string Settings;                 // lines of section [Settings]
  std::optional<std::string> Password;  // locks the presentation with this password
  std::string Runner = "runner.exe";    // the program the presentation is packed behind, or its path
  std::string Projector = "projector5.exe";
  std::string Engine = "vnxengine.dll";    // a program built next to the tests; empty: none
  std::optional<std::string> EngineBytes;  // or these bytes as the engine file
  std::vector<std::string> Behave;         // projector.behave lines; the log is always on
  std::string Slide = "title=End to end\r\nstage=640x480\r\n";
  std::vector<ShowFile> Extra;
  // A byte-identical copy of the projector (with its projector.behave and
  // slide.txt) next to the packed executable, as an author may leave it.
  bool ProjectorBesideRunner = false;
  // Where the viewer keeps the presentation, in UTF-8: a folder inside the
  // scratch directory (empty: the scratch directory itself) and the
  // executable's stem (empty: one made up for the test).
  std::string Folder, Name;
  // The viewer's temporary directory, in UTF-8: a folder inside the scratch
  // directory that the runner gets as TMP and TEMP, as a user's account
  // gives them, or a whole path ("Z:\..." on a disk of its own). Empty: the
  // runner works below the scratch directory's "temp", named by its
  // per-user "Pellam Temp Directory".
  std::string TempFolder;
};

class PresentationRun {
 public:
  explicit PresentationRun(const PresentationSpec& presentation);
  ~PresentationRun();
  PresentationRun(const PresentationRun&) = delete;
  PresentationRun& operator=(const PresentationRun&) = delete;

  // Starts the runner and waits until its window shows the projector's
  // window as its child; false when that does not happen in time.
  bool StartAndWaitForPresentation(DWORD timeoutMs = 20000);
  void Start(const std::string& arguments = {});
  // Waits until the runner's window shows the projector's window as its
  // child; false when the runner ends first or the time is up.
  bool WaitForPresentation(DWORD timeoutMs = 20000);

  HWND RunnerWindow() const { return runnerWindow_; }
  HWND ProjectorWindow() const { return projectorWindow_; }
  DWORD RunnerProcessId() const { return runner_ ? runner_->ProcessId() : 0; }
  // A copy of the block that names this runner, through the mapping's name.
  ControlBlock ReadControlBlock() const;
  std::vector<LogEntry> ProjectorLog() const;
  std::optional<std::string> LastLog(std::string_view key) const { return LastLogValue(ProjectorLog(), key); }

  // Waits for the runner's end (handling this thread's messages meanwhile).
  bool WaitForEnd(DWORD timeoutMs = 20000) const;
  bool RunnerRunning() const { return runner_ && runner_->Running(); }
  DWORD RunnerExitCode() const { return runner_ ? runner_->ExitCode() : 0; }
  // Everything below the temporary base directory except the engine library
  // and its directory, which the desktop process of Wine keeps loaded after
  // the hooks are gone; those must then be scheduled for deletion at restart.
  std::vector<std::string> LeftBehind() const;

  // In the code page (the short form of a TempFolder in another script).
  std::string TempBase() const { return tempBase_; }
  std::string WorkDir() const { return TempBase() + "\\Vnx_Rt\\"; }
  std::string ShowPath() const { return showPath_; }  // UTF-8
  std::string ShowDirectory() const { return scratch_.Path(); }
  std::string ShowFolder() const { return showFolder_; }  // UTF-8
  std::string ExeFileName() const { return stem_ + ".exe"; }
  // The executable's per-user values under "Software\Orrindale".
  const ShowRegistrySection& Registry() const { return *registry_; }

 private:
  ScratchDirectory scratch_{"e2e", ScratchDirectory::Removal::Lenient};
  std::string stem_, showPath_, showFolder_, logPath_, tempFolder_, tempBase_;
  std::unique_ptr<ShowRegistrySection> registry_;
  std::unique_ptr<LaunchedProgram> runner_;
  HWND runnerWindow_ = nullptr, projectorWindow_ = nullptr;
};

// The control block of every working directory below a temporary base
// directory, by instance.
std::map<std::int32_t, ControlBlock> ControlBlocksBelow(const std::string& tempBase);

// Everything below a temporary base directory except engine libraries and
// working directories that are scheduled for deletion at the next start.
std::vector<std::string> LeftBehindIn(const std::string& tempBase);

// The top-level window of class "GaGaVornexWindow" of the process.
HWND FindRunnerWindow(DWORD processId);
// The projector's window inside the runner's window, once both are visible.
HWND ShownProjectorChild(HWND runnerWindow);

// A message box of the process: its caption and its text (whole, in UTF-8);
// closed with OK.
struct MessageBoxSeen {
  std::string Caption, Text;
};
std::optional<MessageBoxSeen> MessageBoxOf(DWORD processId);  // one look
std::string MessageBoxText(HWND box);
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs);
void PressOk(DWORD processId);

RECT WindowRect(HWND window);
RECT ClientOnScreen(HWND window);
RECT ScreenRect();
void ExpectSameRect(const RECT& actual, const RECT& expected);
// The name of a table row, for GoogleTest's parameterised tests.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& row) {
  return row.param.Name;
}

// The projector's window is a child of the runner's window and covers its
// client area exactly.
void ExpectProjectorFillsClientArea(const PresentationRun& run);

}  // namespace vnx::test

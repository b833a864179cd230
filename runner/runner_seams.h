#pragma once
// The points where the runner's spine meets the work of later stages and the
// outside world. Production wires the real operations; tests replace single
// entries (a program path of their own, a session that does something else,
// a report that records instead of showing a modal box).

#include <windows.h>

#include <functional>
#include <string>

namespace vnx {

class TfrmMain;
struct SessionHolders;

struct RunnerSeams {
  std::function<std::string()> ProgramPath;     // the runner's own executable (argument 0), whole, in UTF-8
  std::function<std::string()> CommandLine;     // the whole command line
  std::function<void(TfrmMain&)> ReadSettings;  // fills the settings fields while the window is built
  std::function<void(TfrmMain&)> StartSession;  // WM_RUNNER_START outside "/C"
  // Stages of the session. False from a stage ends the session quietly.
  std::function<bool(TfrmMain&)> CheckPassword;
  std::function<bool(TfrmMain&, SessionHolders&)> BringUpEngine;
  std::function<void(TfrmMain&, SessionHolders&)> LaunchProjector;  // returns when the presentation is over
  std::function<void(TfrmMain&, SessionHolders&)> TearDownEngine;   // hooks, library, control block, mapping
  std::function<void(TfrmMain&)> StopMusic;                         // stops the music and deletes its file
  std::function<void(TfrmMain&, SessionHolders&)> MuteWaveOutput;   // saves what it silences, then silences
  std::function<void(TfrmMain&, SessionHolders&)> RestoreWaveOutput;
  // The Setup dialog: on WM_RUNNER_START in "/C" mode and from the popup menu;
  // true when the viewer changed a stored choice.
  std::function<bool(TfrmMain&)> RunSetupDialog;
  std::function<void(TfrmMain&)> PlayMusic;  // WM_RUNNER_PLAY_MUSIC: the background music starts
  // A message box with an OK button: the main loop's "Error" box for an
  // exception that escaped a message, and the runner's other reports. Text
  // and caption in UTF-8 (texts of the code page are converted on their way
  // in), shown whole.
  std::function<void(HWND owner, const std::string& text, const std::string& caption)> ShowMessageBox;
  // The report for an exception that ends the program before its loop runs;
  // UTF-8 as above.
  std::function<void(const std::string& message)> ShowLastChanceReport;
};

RunnerSeams DefaultRunnerSeams();
// The seams in use; DefaultRunnerSeams until a test replaces entries.
RunnerSeams& Seams();

}  // namespace vnx

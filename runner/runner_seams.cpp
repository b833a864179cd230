#include "runner/runner_seams.h"

#include "common/system_text.h"
#include "dialogs/frm_pw_dialog.h"
#include "dialogs/frm_setup.h"
#include "runner/engine_bring_up.h"
#include "runner/extraction_passes.h"
#include "runner/projector_launch.h"
#include "runner/start_session.h"
#include "sound/background_music.h"
#include "sound/machine_mute.h"

namespace vnx {
namespace {

// Whole: a folder or a name in another script than the code page's stays
// what it is.
std::string ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return Utf8FromWide(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);
  }
}

}  // namespace

RunnerSeams DefaultRunnerSeams() {
  RunnerSeams seams;
  seams.ProgramPath = ModulePath;
  seams.CommandLine = [] { return std::string(GetCommandLineA()); };
  seams.ReadSettings = ReadMainFormSettings;
  seams.StartSession = StartSession;
  seams.CheckPassword = CheckPassword;
  seams.BringUpEngine = BringUpEngine;
  seams.LaunchProjector = LaunchProjector;
  seams.TearDownEngine = TearDownEngine;
  seams.StopMusic = StopMusic;
  seams.MuteWaveOutput = MuteWaveOutput;
  seams.RestoreWaveOutput = RestoreWaveOutput;
  seams.RunSetupDialog = RunSetupDialog;
  seams.PlayMusic = PlayMusic;
  seams.ShowMessageBox = [](HWND owner, const std::string& text, const std::string& caption) {
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_OK);
  };
  seams.ShowLastChanceReport = [](const std::string& message) {
    MessageBoxW(nullptr, WideFromUtf8(message).c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  };
  return seams;
}

RunnerSeams& Seams() {
  static RunnerSeams seams = DefaultRunnerSeams();
  return seams;
}

}  // namespace vnx

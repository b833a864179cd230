#include "runner/runner_seams.h"

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

std::string ModulePath() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
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
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK);
  };
  seams.ShowLastChanceReport = [](const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  };
  return seams;
}

RunnerSeams& Seams() {
  static RunnerSeams seams = DefaultRunnerSeams();
  return seams;
}

}  // namespace vnx

#include "runner/runner_seams.h"

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
  // The settings reader, the session, the Setup dialog and the music plug in here as
  // they are built; until then the runner keeps its zero settings and a
  // lifecycle ends right after its window is created.
  seams.ReadSettings = [](TfrmMain&) {};
  seams.StartSession = [](TfrmMain&) {};
  seams.RunSetupDialog = [](TfrmMain&) { return false; };
  seams.PlayMusic = [](TfrmMain&) {};
  seams.ShowExceptionBox = [](HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), "Error", MB_OK);
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

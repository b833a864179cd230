// A runner for the start-up tests: the real lifecycle, settings, directory
// claim, unpacking, tools and cleanup, with the engine and the projector
// replaced by a stage that behaves like a running projector: it holds the
// projector file open, reports what the runner unpacked, and waits until the
// test releases it.
//
// Environment: VNX_PROBE_REPORT_DIR (where <process id>.txt is written) and
// VNX_PROBE_RELEASE (the name of a manual-reset event that ends the wait).

#include <windows.h>

#include <fstream>
#include <string>

#include "common/handle.h"
#include "runner/frm_main.h"
#include "runner/lifecycle.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "tests/probe/probe_report.h"

namespace {

std::string Variable(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length <= MAX_PATH ? std::string(value, length) : std::string();
}

void WriteReport(const vnx::TfrmMain& runner) {
  char currentDir[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, currentDir);
  vnx::test::ProbeReport report;
  report.WorkDir = runner.WorkDir;
  report.InstanceSlot = runner.InstanceSlot;
  report.InstanceSuffix = runner.InstanceSuffix;
  report.UseCurrentDir = runner.UseCurrentDir;
  report.CurrentDir = currentDir;
  report.ProjectorFile = runner.ProjectorFile;
  report.EngineFile = runner.EngineFile;
  report.MusicFile = runner.MusicFile;
  const std::string path = Variable("VNX_PROBE_REPORT_DIR") + "\\" + std::to_string(GetCurrentProcessId()) + ".txt";
  std::ofstream(path + ".part", std::ios::binary) << vnx::test::FormatProbeReport(report);
  MoveFileA((path + ".part").c_str(), path.c_str());  // the test never reads half a report
}

void StandInProjector(vnx::TfrmMain& runner, vnx::SessionHolders&) {
  const vnx::UniqueFileHandle held(CreateFileA((runner.WorkDir + runner.ProjectorFile).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  WriteReport(runner);
  const vnx::UniqueKernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, Variable("VNX_PROBE_RELEASE").c_str()));
  while (release && WaitForSingleObject(release.get(), 0) == WAIT_TIMEOUT) vnx::PumpOrWait(50);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vnx::Seams().BringUpEngine = [](vnx::TfrmMain&, vnx::SessionHolders&) { return true; };
  vnx::Seams().TearDownEngine = [](vnx::TfrmMain&, vnx::SessionHolders&) {};
  vnx::Seams().LaunchProjector = StandInProjector;
  // Reports go to stderr instead of boxes nobody would close.
  vnx::Seams().ShowMessageBox = [](HWND, const std::string& text, const std::string&) {
    std::ofstream(Variable("VNX_PROBE_REPORT_DIR") + "\\" + std::to_string(GetCurrentProcessId()) + ".error") << text;
  };
  vnx::Seams().ShowLastChanceReport = [](const std::string& text) { vnx::Seams().ShowMessageBox(nullptr, text, ""); };
  return vnx::RunRunnerProcess();
}

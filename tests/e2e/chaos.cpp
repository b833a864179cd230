#include "tests/e2e/chaos.h"

#include <tlhelp32.h>

#include <algorithm>

#include "common/handle.h"
#include "common/text.h"
#include "contract/control_block.h"
#include "contract/shared_names.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

// The projector is packed under a name no other test uses, so that its
// processes can be told apart from anything else running.
constexpr char kProjectorStem[] = "chaosplayer";

struct ProcessFacts {
  DWORD Id, Parent;
  std::string Name;  // lower case
};

std::vector<ProcessFacts> Processes() {
  std::vector<ProcessFacts> all;
  const UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return all;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
    all.push_back({entry.th32ProcessID, entry.th32ParentProcessID, LowerAscii(entry.szExeFile)});
  return all;
}

bool IsProjector(const ProcessFacts& process) { return process.Name.rfind(kProjectorStem, 0) == 0; }

DWORD ProjectorOf(DWORD runner) {
  for (const ProcessFacts& process : Processes())
    if (process.Parent == runner && IsProjector(process)) return process.Id;
  return 0;
}

bool Ended(DWORD processId, DWORD timeoutMs) {
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return !process || WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

void Kill(DWORD processId) {
  if (!processId) return;
  const UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process) return;
  TerminateProcess(process.get(), 9);
  WaitForSingleObject(process.get(), 10000);
}

// The runner's projector once it exists; 0 when the runner ended first or
// none came within 30 s. A pause of 0 lets a kill follow the projector's
// creation as closely as this process can see it.
DWORD WaitForProjectorOf(const LaunchedProgram& runner, DWORD pauseMs) {
  const DWORD start = GetTickCount();
  DWORD projector = 0;
  while (!(projector = ProjectorOf(runner.ProcessId())) && runner.Running() && GetTickCount() - start < 30000)
    Sleep(pauseMs);
  return projector;
}

// Waits for the runner's window with the projector's window shown inside.
HWND WaitForShown(DWORD runner, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    const HWND window = FindRunnerWindow(runner);
    if (ShownProjectorChild(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

}  // namespace

Chaos::Chaos(std::string tempBase) : tempBase_(tempBase.empty() ? scratch_.File("temp") : std::move(tempBase)) {
  CreateDirectoryA(tempBase_.c_str(), nullptr);
  stem_ = "vnxchaos" + std::to_string(GetCurrentProcessId());
  show_ = scratch_.File(stem_ + ".exe");
  PackShow(BuiltProgram("runner.exe"), show_,
           {{"show.ini", "[Settings]\r\nPassword=0\r\nPellam Screen Name=Chaos\r\n", ""},
            {std::string(kProjectorStem) + ".exe", BuiltProgramBytes("projector5.exe"), ""},
            {"engine.dll", BuiltProgramBytes("vnxengine.dll"), ""},
            {"slide.txt", "title=Chaos\r\nstage=320x240\r\n", ""}});
  registry_ = std::make_unique<ShowRegistrySection>(stem_, tempBase_);
}

Chaos::~Chaos() = default;

void Chaos::Round(Victim victim, DWORD killAfterMs, ChaosFigures& figures) {
  ++figures.Rounds;
  const std::string round = "round " + std::to_string(figures.Rounds) + ": ";
  {
    LaunchedProgram started(show_, scratch_.Path() + "\\", LaunchedProgram::Start::Suspended);
    started.Resume();
    if (victim == Victim::Projector) {
      ++figures.ProjectorKills;
      Sleep(killAfterMs);
      Kill(WaitForProjectorOf(started, 20));
      // The runner sees its projector gone and cleans up behind itself.
      if (!started.WaitForExit(30000) || started.ExitCode() != 0) {
        ++figures.UncleanEnds;
        figures.Problems.push_back(round + "the runner did not end cleanly after its projector was killed");
      }
    } else {
      ++figures.RunnerKills;
      DWORD projector = 0;
      if (victim == Victim::Runner) {
        Sleep(killAfterMs);
        projector = ProjectorOf(started.ProcessId());
      } else {
        projector = WaitForProjectorOf(started, 0);  // still suspended, or just resumed
      }
      if (!projector) ++figures.KilledBeforeTheProjector;
      Kill(started.ProcessId());
      // Its projector, shown inside the killed runner's window, must not
      // live on without it.
      if (projector && !Ended(projector, 10000)) {
        ++figures.StrayProjectors;
        figures.Problems.push_back(round + "the projector outlived its killed runner");
        Kill(projector);
      }
    }
  }
  LaunchedProgram normal(show_, scratch_.Path() + "\\", LaunchedProgram::Start::Suspended);
  normal.Resume();
  const HWND window = WaitForShown(normal.ProcessId(), 30000);
  if (!window) {
    ++figures.FailedStarts;
    figures.Problems.push_back(round + "the next presentation did not come up");
    return;
  }
  for (const auto& [instance, block] : ControlBlocksBelow(tempBase_))
    highestInstance_ = std::max(highestInstance_, instance);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!normal.WaitForExit(30000) || normal.ExitCode() != 0) {
    ++figures.UncleanEnds;
    figures.Problems.push_back(round + "the next presentation did not end cleanly");
  }
}

void Chaos::Inspect(ChaosFigures& figures) const {
  figures.LeftBehind = LeftBehindIn(tempBase_);
  for (const std::string& entry : figures.LeftBehind) figures.Problems.push_back("left behind: " + entry);
  for (const ProcessFacts& process : Processes()) {
    if (!IsProjector(process)) continue;
    ++figures.StrayProjectors;
    figures.Problems.push_back("projector still running: " + process.Name);
    Kill(process.Id);
  }
  for (int instance = 0; instance <= highestInstance_ + 2; ++instance) {
    const UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, MappingNameFor(instance).c_str()));
    if (!mapping) continue;
    ++figures.Mappings;
    figures.Problems.push_back("mapping still there: " + MappingNameFor(instance));
  }
  if (GlobalFindAtomA((kStartupAtomPrefix + stem_ + ".exe").c_str()) != 0) {
    ++figures.Atoms;
    figures.Problems.push_back("start-up atom still there: " + std::string(kStartupAtomPrefix) + stem_ + ".exe");
  }
}

}  // namespace vnx::test

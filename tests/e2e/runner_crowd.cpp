#include "tests/e2e/runner_crowd.h"

#include <map>

#include "common/handle.h"
#include "contract/control_block.h"
#include "runner/work_dir_claim.h"
#include "session/file_system.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

constexpr DWORD kShowTimeoutMs = 90000;

struct Member {
  const RunnerCrowd::Show* Show = nullptr;
  std::unique_ptr<LaunchedProgram> Program;
  HWND Window = nullptr, Projector = nullptr;
  DWORD ProjectorProcessId = 0;
  bool Done = false;  // shown, or failed on the way

  std::string Name() const { return Show->Title + " (process " + std::to_string(Program->ProcessId()) + ")"; }
};

std::uint32_t HandleValue(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)); }

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void WaitUntilShown(std::vector<Member>& members, CrowdRound& round) {
  const DWORD start = GetTickCount();
  for (;;) {
    bool allDone = true;
    for (Member& m : members) {
      if (m.Done) continue;
      const DWORD id = m.Program->ProcessId();
      if (const auto box = MessageBoxOf(id)) {
        ++round.ErrorBoxes;
        round.Problems.push_back(m.Name() + ": box \"" + box->Caption + "\": " + box->Text);
        PressOk(id);
        m.Done = true;
      } else if (const HWND projector = ShownProjectorChild(m.Window = FindRunnerWindow(id))) {
        m.Projector = projector;
        GetWindowThreadProcessId(projector, &m.ProjectorProcessId);
        ++round.Shown;
        m.Done = true;
      } else if (!m.Program->Running()) {
        round.Problems.push_back(m.Name() + ": ended without showing its presentation");
        m.Done = true;
      }
      allDone = allDone && m.Done;
    }
    round.MillisecondsToAllShown = GetTickCount() - start;
    if (allDone) return;
    if (round.MillisecondsToAllShown > kShowTimeoutMs) {
      for (const Member& m : members)
        if (!m.Done)
          round.Problems.push_back(m.Name() + ": not shown within " + std::to_string(kShowTimeoutMs) + " ms");
      return;
    }
    Sleep(50);
  }
}

// Each shown runner has the frame its own settings file asks for.
void CheckSettings(const std::vector<Member>& members, CrowdRound& round) {
  for (const Member& m : members) {
    if (!m.Projector) continue;
    const RECT frame = WindowRect(m.Window);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width == m.Show->Width && height == m.Show->Height && WindowText(m.Window) == m.Show->Title) continue;
    ++round.WrongSettings;
    round.Problems.push_back(m.Name() + ": frame \"" + WindowText(m.Window) + "\" " + std::to_string(width) + "x" +
                             std::to_string(height) + ", its settings say " + std::to_string(m.Show->Width) + "x" +
                             std::to_string(m.Show->Height));
  }
}

// Each shown runner is named by exactly one control block, which names its
// window and its projector's window, and holds the claim of that instance's
// working directory. Faults by runner.
std::map<const Member*, std::string> InstanceFaults(const std::vector<Member>& members, const std::string& tempBase) {
  const std::map<std::int32_t, ControlBlock> blocks = ControlBlocksBelow(tempBase);
  std::map<const Member*, std::string> faults;
  for (const Member& m : members) {
    if (!m.Projector) continue;
    std::vector<std::int32_t> own;
    for (const auto& [instance, block] : blocks)
      if (block.RunnerProcessId == m.Program->ProcessId()) own.push_back(instance);
    if (own.size() != 1) {
      faults[&m] = "named by " + std::to_string(own.size()) + " control blocks";
      continue;
    }
    const std::int32_t instance = own.front();
    const ControlBlock& block = blocks.at(instance);
    const std::string claim = WorkDirCandidate(tempBase + "\\", instance) + "\\" + std::string(kWorkDirClaimFileName);
    if (block.RunnerWindow != HandleValue(m.Window) || block.ProjectorWindow != HandleValue(m.Projector))
      faults[&m] = "instance " + std::to_string(instance) + " names runner " + std::to_string(block.RunnerWindow) +
                   " and projector " + std::to_string(block.ProjectorWindow) + ", not " + Decimal(m.Window) + " and " +
                   Decimal(m.Projector);
    else if (!FileExists(claim) || CanOpenExclusively(claim))
      faults[&m] = "instance " + std::to_string(instance) + "'s directory is not claimed";
  }
  return faults;
}

// The projector's window is shown inside the frame a moment before the
// runner writes it into the block: faults that last are collisions.
void CheckInstances(const std::vector<Member>& members, const std::string& tempBase, CrowdRound& round) {
  const DWORD start = GetTickCount();
  std::map<const Member*, std::string> faults = InstanceFaults(members, tempBase);
  while (!faults.empty() && GetTickCount() - start < 5000) {
    Sleep(100);
    faults = InstanceFaults(members, tempBase);
  }
  for (const auto& [member, fault] : faults) {
    ++round.Collisions;
    round.Problems.push_back(member->Name() + ": " + fault);
  }
}

void EndAll(std::vector<Member>& members, CrowdRound& round) {
  for (const Member& m : members)
    if (m.Window) PostMessageA(m.Window, WM_CLOSE, 0, 0);
  for (Member& m : members) {
    if (!m.Program->WaitForExit(30000) || m.Program->ExitCode() != 0) {
      ++round.UncleanEnds;
      round.Problems.push_back(m.Name() + ": did not end cleanly after WM_CLOSE");
    }
    m.Program.reset();  // ends it by its id if it still runs
    if (!m.ProjectorProcessId) continue;
    const UniqueKernelHandle projector(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, m.ProjectorProcessId));
    if (projector && WaitForSingleObject(projector.get(), 5000) == WAIT_TIMEOUT) {
      ++round.UncleanEnds;
      round.Problems.push_back(m.Show->Title + ": projector " + std::to_string(m.ProjectorProcessId) + " left running");
      TerminateProcess(projector.get(), 1);
    }
  }
}

}  // namespace

RunnerCrowd::RunnerCrowd(int executables, std::string tempBase)
    : tempBase_(tempBase.empty() ? scratch_.File("temp") : std::move(tempBase)) {
  CreateDirectoryA(tempBase_.c_str(), nullptr);
  const std::string projector = BuiltProgramBytes("projector5.exe"), engine = BuiltProgramBytes("vnxengine.dll");
  for (int i = 0; i < executables; ++i) {
    const std::string stem = "vnxcrowd" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(i);
    Show& show = shows_.emplace_back();
    show.Path = scratch_.File(stem + ".exe");
    show.Title = "Crowd " + std::to_string(i);
    show.Width = 360 + 24 * i;
    show.Height = 270 + 16 * i;
    const std::string settings = "[Settings]\r\nPassword=0\r\nPellam Screen Name=" + show.Title +
                                 "\r\nCustomSize=1\r\nWidth=" + std::to_string(show.Width) +
                                 "\r\nHeight=" + std::to_string(show.Height) + "\r\n";
    PackShow(BuiltProgram("runner.exe"), show.Path,
             {{"show.ini", settings, ""},
              {"projector.exe", projector, ""},
              {"engine.dll", engine, ""},
              {"slide.txt", "title=" + show.Title + "\r\nstage=320x240\r\n", ""}});
    registry_.push_back(std::make_unique<ShowRegistrySection>(stem, tempBase_));
  }
}

RunnerCrowd::~RunnerCrowd() = default;

CrowdRound RunnerCrowd::Round(int perExecutable) {
  CrowdRound round;
  std::vector<Member> members;
  for (const Show& show : shows_)
    for (int k = 0; k < perExecutable; ++k) {
      Member& m = members.emplace_back();
      m.Show = &show;
      m.Program =
          std::make_unique<LaunchedProgram>(show.Path, scratch_.Path() + "\\", LaunchedProgram::Start::Suspended);
    }
  for (const Member& m : members) m.Program->Resume();
  round.Started = static_cast<int>(members.size());

  WaitUntilShown(members, round);
  CheckSettings(members, round);
  CheckInstances(members, tempBase_, round);
  EndAll(members, round);
  round.LeftBehind = LeftBehindIn(tempBase_);
  for (const std::string& entry : round.LeftBehind) round.Problems.push_back("left behind: " + entry);
  return round;
}

}  // namespace vnx::test

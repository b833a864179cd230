// Several runners of one presentation at once, as separate processes: each
// claims its own instance number and working directory, sees only its own
// files and removes only its own directory. The runners are probes: the real
// runner whose projector stage holds its working directory until released.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "session/file_system.h"
#include "tests/probe/probe_report.h"
#include "tests/support/packed_show.h"
#include "tests/support/projector_process.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

class ConcurrentRunnersTest : public ::testing::Test {
 protected:
  struct Probe {
    std::unique_ptr<LaunchedProgram> program;
    HANDLE release = nullptr;
    ProbeReport report;
  };

  void SetUp() override {
    CreateDirectoryA(temp.c_str(), nullptr);
    CreateDirectoryA(reports.c_str(), nullptr);
    const std::string stem = "vnxconcurrent" + std::to_string(GetCurrentProcessId());
    show = scratch.File(stem + ".exe");
    PackShow(BuiltProgram("runner_probe.exe"), show,
             {{"show.ini", "[Settings]\r\nPassword=0\r\n", ""},
              {"Intro.exe", "projector", ""},
              {"engine.dll", "engine", ""},
              {"notes.txt", "notes", "docs"}});
    registry = std::make_unique<ShowRegistrySection>(stem, temp);
  }

  void TearDown() override {
    for (Probe& probe : probes) {
      if (probe.release) SetEvent(probe.release);
      if (probe.program) probe.program->WaitForExit(20000);
      if (probe.release) CloseHandle(probe.release);
    }
    probes.clear();
  }

  Probe& Start(LaunchedProgram::Start start = LaunchedProgram::Start::Running) {
    Probe& probe = probes.emplace_back();
    const std::string releaseName =
        "VnxProbeRelease_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(probes.size());
    probe.release = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
    const ScopedVariable reportDir("VNX_PROBE_REPORT_DIR", reports.c_str());
    const ScopedVariable release("VNX_PROBE_RELEASE", releaseName.c_str());
    probe.program = std::make_unique<LaunchedProgram>(show, scratch.Path() + "\\", start);
    return probe;
  }

  // The probe's report once its runner has unpacked and holds its directory.
  bool WaitForReport(Probe& probe) {
    const std::string path = reports + "\\" + std::to_string(probe.program->ProcessId()) + ".txt";
    for (int i = 0; i < 400; ++i) {
      if (const auto text = ReadFileText(path)) {
        probe.report = ParseProbeReport(*text);
        return true;
      }
      if (!probe.program->Running()) break;
      Sleep(50);
    }
    const auto error = ReadFileText(reports + "\\" + std::to_string(probe.program->ProcessId()) + ".error");
    ADD_FAILURE() << "no report; " << error.value_or("no error either");
    return false;
  }

  void Release(Probe& probe) {
    SetEvent(probe.release);
    EXPECT_TRUE(probe.program->WaitForExit(20000));
    EXPECT_EQ(probe.program->ExitCode(), 0u);
  }

  bool Exists(const std::string& relative) const {
    return GetFileAttributesA((temp + "\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  ScratchDirectory scratch{"concurrent"};
  std::string temp = scratch.File("temp"), reports = scratch.File("reports"), show;
  std::unique_ptr<ShowRegistrySection> registry;
  std::vector<Probe> probes;
};

TEST_F(ConcurrentRunnersTest, ThreeAtOnceTakeThreeInstancesAndRemoveOnlyTheirOwn) {
  probes.reserve(3);
  for (int i = 0; i < 3; ++i) Start(LaunchedProgram::Start::Suspended);
  for (Probe& probe : probes) probe.program->Resume();  // all three race for the start-up mutex
  std::set<int> slots;
  for (Probe& probe : probes) {
    ASSERT_TRUE(WaitForReport(probe));
    const int slot = probe.report.InstanceSlot;
    slots.insert(slot);
    const std::string name = slot == 0 ? "Vnx_Rt" : "Vnx_Rt" + std::to_string(slot);
    EXPECT_EQ(probe.report.WorkDir, temp + "\\" + name + "\\");
    EXPECT_EQ(probe.report.InstanceSuffix, slot == 0 ? "_VNX_RT" : "_VNX_RT" + std::to_string(slot));
    // The projector carries the instance number; the engine always does.
    EXPECT_EQ(probe.report.ProjectorFile, slot == 0 ? "intro.exe" : "intro" + std::to_string(slot) + ".exe");
    EXPECT_EQ(probe.report.EngineFile, "engine" + std::to_string(slot) + ".dll");
    std::vector<std::string> own = TreeEntries(temp + "\\" + name);
    std::sort(own.begin(), own.end());
    EXPECT_EQ(own, (std::vector<std::string>{"docs", "docs\\notes.txt", probe.report.EngineFile,
                                             probe.report.ProjectorFile, "vnx_rt.claim"}));
    EXPECT_FALSE(CanOpenExclusively(temp + "\\" + name + "\\vnx_rt.claim"));  // held by its runner
  }
  EXPECT_EQ(slots, (std::set<int>{0, 1, 2}));

  Probe& middle =
      *std::find_if(probes.begin(), probes.end(), [](const Probe& p) { return p.report.InstanceSlot == 1; });
  Release(middle);
  EXPECT_TRUE(Exists("Vnx_Rt"));
  EXPECT_FALSE(Exists("Vnx_Rt1"));
  EXPECT_TRUE(Exists("Vnx_Rt2"));
  for (Probe& probe : probes)
    if (&probe != &middle) Release(probe);
  EXPECT_EQ(TreeEntries(temp), std::vector<std::string>{});
}

TEST_F(ConcurrentRunnersTest, AKilledRunnersDirectoryIsReclaimedByTheNext) {
  Probe& killed = Start();
  ASSERT_TRUE(WaitForReport(killed));
  EXPECT_EQ(killed.report.InstanceSlot, 0);
  const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, killed.program->ProcessId());
  ASSERT_TRUE(process);
  TerminateProcess(process, 9);
  WaitForSingleObject(process, 10000);
  CloseHandle(process);
  EXPECT_TRUE(Exists("Vnx_Rt\\intro.exe"));  // nothing cleaned up behind a killed runner

  Probe& next = Start();
  ASSERT_TRUE(WaitForReport(next));
  EXPECT_EQ(next.report.InstanceSlot, 0);
  Release(next);
  EXPECT_EQ(TreeEntries(temp), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test

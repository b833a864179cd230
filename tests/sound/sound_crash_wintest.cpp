// A runner killed while the machine is silent, as a process of its own: the
// next runner that reclaims its working directory gives the sound back. The
// runners are the real runner with a fake sound machine kept in a file and a
// projector stage that silences the machine and holds until released.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "common/handle.h"
#include "tests/sound/persisted_machine.h"
#include "tests/support/packed_show.h"
#include "tests/support/projector_process.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

class SoundCrashTest : public ::testing::Test {
 protected:
  struct Runner {
    std::unique_ptr<LaunchedProgram> program;
    UniqueKernelHandle release;
  };

  void SetUp() override {
    CreateDirectoryA(temp.c_str(), nullptr);
    stem = "vnxsoundcrash" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    for (Runner& runner : runners) {
      SetEvent(runner.release.get());
      runner.program->WaitForExit(20000);
    }
  }

  // A presentation with the given "Sound" setting, packed behind the test
  // runner; its runners work below the scratch directory.
  std::string Show(const char* name, const char* sound) {
    const std::string path = scratch.File(stem + name + ".exe");
    registries.push_back(std::make_unique<ShowRegistrySection>(stem + name, temp));
    PackShow(BuiltProgram("sound_test_runner.exe"), path,
             {{"show.ini", std::string("[Settings]\r\nPassword=0\r\nSound=") + sound + "\r\n", ""},
              {"intro.exe", "projector", ""},
              {"engine.dll", "engine", ""}});
    return path;
  }

  // Starts a runner and waits until its projector stage holds the directory.
  Runner& Start(const std::string& show) {
    DeleteFileA((machine + ".held").c_str());
    Runner& runner = runners.emplace_back();
    const std::string releaseName =
        "VnxSoundRelease_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(runners.size());
    runner.release.reset(CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str()));
    const ScopedVariable machineFile("VNX_FAKE_SOUND_MACHINE", machine.c_str());
    const ScopedVariable hold("VNX_SOUND_HOLD", releaseName.c_str());
    runner.program = std::make_unique<LaunchedProgram>(show, scratch.Path() + "\\");
    for (int i = 0; i < 400 && !FileExists(machine + ".held") && runner.program->Running(); ++i) Sleep(50);
    EXPECT_TRUE(FileExists(machine + ".held")) << "the runner did not reach its projector stage";
    return runner;
  }

  ScratchDirectory scratch{"soundcrash"};
  std::string temp = scratch.File("temp"), machine = scratch.File("machine.txt"), stem;
  std::vector<std::unique_ptr<ShowRegistrySection>> registries;
  std::vector<Runner> runners;
};

TEST_F(SoundCrashTest, ARunnerKilledWhileSilentGetsItsSoundBackFromTheNext) {
  for (const DWORD version : {kWindows7, kWindowsXp}) {
    SCOPED_TRACE(version);
    const FakeSoundMachine audible = AudibleMachine(version);
    SaveMachine(audible, machine);
    runners.reserve(2);

    Runner& killed = Start(Show("silent", "0"));
    const FakeSoundMachine silent = LoadMachine(machine);
    EXPECT_TRUE(silent.EndpointMuted || silent.Mixers[0].Controls.at(1).On);
    EXPECT_TRUE(FileExists(temp + "\\Vnx_Rt\\vnx_rt.sound"));
    const UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, killed.program->ProcessId()));
    ASSERT_TRUE(process);
    TerminateProcess(process.get(), 9);
    WaitForSingleObject(process.get(), 10000);
    const FakeSoundMachine left = LoadMachine(machine);
    EXPECT_EQ(left.EndpointMuted, silent.EndpointMuted);  // nothing gave it back
    EXPECT_EQ(left.Volume, silent.Volume);

    Runner& next = Start(Show("audible", "1"));
    const FakeSoundMachine back = LoadMachine(machine);
    EXPECT_EQ(back.EndpointMuted, audible.EndpointMuted);
    EXPECT_EQ(back.Volume, audible.Volume);
    EXPECT_EQ(back.Mixers[0].Controls.at(1).On, audible.Mixers[0].Controls.at(1).On);
    EXPECT_FALSE(FileExists(temp + "\\Vnx_Rt\\vnx_rt.sound"));
    EXPECT_EQ(ReadFileText(machine + ".held"), temp + "\\Vnx_Rt\\");  // it reclaimed the killed runner's directory

    SetEvent(next.release.get());
    EXPECT_TRUE(next.program->WaitForExit(20000));
    EXPECT_EQ(TreeEntries(temp), std::vector<std::string>{});
    runners.clear();
    DeleteFileA((machine + ".log").c_str());
  }
}

// Ended normally, a silent runner gives the sound back itself, and a runner
// whose presentation has sound touches nothing.
TEST_F(SoundCrashTest, ARunnerThatEndsGivesTheSoundBackAndOneWithSoundTouchesNothing) {
  SaveMachine(AudibleMachine(kWindows7), machine);
  Runner& silent = Start(Show("silent", "0"));
  EXPECT_TRUE(LoadMachine(machine).EndpointMuted);
  SetEvent(silent.release.get());
  EXPECT_TRUE(silent.program->WaitForExit(20000));
  EXPECT_FALSE(LoadMachine(machine).EndpointMuted);
  EXPECT_EQ(MachineLog(machine), (std::vector<std::string>{"DefaultRenderEndpoint", "GetEndpointMute",
                                                           "SetEndpointMute", "SetEndpointMute"}));

  DeleteFileA((machine + ".log").c_str());
  Runner& audible = Start(Show("audible", "1"));
  SetEvent(audible.release.get());
  EXPECT_TRUE(audible.program->WaitForExit(20000));
  EXPECT_EQ(MachineLog(machine), std::vector<std::string>{});
  EXPECT_EQ(TreeEntries(temp), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test

// Whole presentations with music and without sound. The real runner under
// Wine, which has no sound card here: the demo's music is opened by MCI and
// held until the cleanup closes and deletes it; muted or unplayable music
// changes nothing for the viewer; a presentation without sound runs to its
// end and leaves the machine's sound as Wine reported it before. Then the
// runner with a fake sound machine: when the machine is silenced and when
// its sound comes back, against the music's MCI commands.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "session/file_system.h"
#include "sound/endpoint_volume.h"
#include "tests/e2e/presentation_run.h"
#include "tests/sound/persisted_machine.h"
#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

void CloseAndExpectNothingLeft(PresentationRun& run) {
  EXPECT_FALSE(MessageBoxOf(run.RunnerProcessId()));
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LastLog("exit"), "0");
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

struct MusicCase {
  const char* Name;
  const char* Settings;
  std::string Music;  // the session's "Music.MID"
  bool Written;       // the file is in the working directory while the presentation runs
  bool Played;        // MCI opened it and holds it
};

class MusicPresentation : public testing::TestWithParam<MusicCase> {};

// Music or not, the viewer sees no message; the presentation ends as usual and
// the file is gone with the working directory.
TEST_P(MusicPresentation, TheMusicFileWhileTheShowRunsAndAfter) {
  const MusicCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Settings = c.Settings;
  presentation.Extra.push_back({"Music.MID", c.Music, ""});
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const std::string music = run.WorkDir() + "music.mid";
  EXPECT_EQ(FileExists(music), c.Written);
  EXPECT_TRUE(WaitFor([&] { return run.ReadControlBlock().PresentationShown == 1; }));
  if (c.Played) {
    EXPECT_TRUE(WaitFor([&] { return !CanOpenExclusively(music); })) << "MCI never opened the music";
  }
  CloseAndExpectNothingLeft(run);
}

INSTANTIATE_TEST_SUITE_P(
    Music, MusicPresentation,
    testing::Values(
        MusicCase{"DemoMusicRepeated", "Midi=0\r\nMidiLoop=1\r\n", BuiltProgramBytes("music.mid"), true, true},
        MusicCase{"MusicMutedIsNotEvenWritten", "Midi=1\r\n", BuiltProgramBytes("music.mid"), false, false},
        MusicCase{"MusicMciCannotPlay", "Midi=0\r\n", std::string(64, 'x'), true, false}),
    CaseName<MusicCase>);

// What this machine's sound looks like from a program: the wave mapper, the
// mixers and the default endpoint, as far as they answer.
struct MachineSound {
  MMRESULT Caps = 0;
  DWORD Support = 0;
  MMRESULT VolumeRead = 0;
  DWORD Volume = 0;
  UINT Mixers = 0;
  std::optional<std::string> Endpoint;
  std::optional<bool> EndpointMuted;
  bool operator==(const MachineSound&) const = default;
};

MachineSound ReadMachineSound() {
  MachineSound sound;
  WAVEOUTCAPSA caps{};
  sound.Caps = waveOutGetDevCapsA(WAVE_MAPPER, &caps, sizeof caps);
  sound.Support = caps.dwSupport;
  sound.VolumeRead = waveOutGetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)), &sound.Volume);
  sound.Mixers = mixerGetNumDevs();
  sound.Endpoint = DefaultRenderEndpointId();
  if (sound.Endpoint) sound.EndpointMuted = GetEndpointMuteOf(*sound.Endpoint);
  return sound;
}

// Wine's per-program Windows version, for the runner's executable.
class WineVersionFor {
 public:
  WineVersionFor(const std::string& exeFileName, const char* version)
      : key_("Software\\Wine\\AppDefaults\\" + exeFileName) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>(strlen(version) + 1));
      RegCloseKey(key);
    }
  }
  ~WineVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
  WineVersionFor(const WineVersionFor&) = delete;
  WineVersionFor& operator=(const WineVersionFor&) = delete;

 private:
  std::string key_;
};

// Wine here has no sound card: no endpoint (Core Audio does not start), no
// wave mapper, no mixer. The runner finds nothing to silence, so it writes no
// restore file, and the presentation runs to its end as any other.
TEST(SilentPresentation, RunsToItsEndAndLeavesTheMachineAsItWas) {
  for (const char* version : {"", "winxp"}) {
    SCOPED_TRACE(*version ? version : "Wine's default");
    const MachineSound before = ReadMachineSound();
    PresentationSpec presentation;
    presentation.Settings = "Sound=0\r\n";
    presentation.Extra.push_back({"Music.MID", BuiltProgramBytes("music.mid"), ""});
    PresentationRun run(presentation);
    std::optional<WineVersionFor> windowsXp;
    if (*version) windowsXp.emplace(run.ExeFileName(), version);
    ASSERT_TRUE(run.StartAndWaitForPresentation());
    EXPECT_FALSE(FileExists(run.WorkDir() + "vnx_rt.sound"));
    CloseAndExpectNothingLeft(run);
    EXPECT_EQ(ReadMachineSound(), before);
  }
}

// The runner with a fake machine: the calls it made, in order, with the
// music's MCI commands ("mci ...") among them.
struct FakeMachineCase {
  const char* Name;
  const char* Settings;
  DWORD Version;
  std::vector<std::string> Silencing, GivingBack;  // the machine's changes before the music and after it
};

class FakeMachinePresentation : public testing::TestWithParam<FakeMachineCase> {};

TEST_P(FakeMachinePresentation, SilencedBeforeTheProjectorRunsAndGivenBackAfterTheMusicStopped) {
  const FakeMachineCase& c = GetParam();
  ScratchDirectory scratch{"machine"};
  const std::string machine = scratch.File("machine.txt");
  const FakeSoundMachine audible = AudibleMachine(c.Version);
  SaveMachine(audible, machine);
  const ScopedVariable machineFile("VNX_FAKE_SOUND_MACHINE", machine.c_str());
  PresentationSpec presentation;
  presentation.Runner = "sound_test_runner.exe";
  presentation.Settings = std::string("MidiLoop=1\r\n") + c.Settings;
  presentation.Extra.push_back({"Music.MID", BuiltProgramBytes("music.mid"), ""});
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  EXPECT_TRUE(WaitFor([&] {
    const auto log = MachineLog(machine);
    return std::find(log.begin(), log.end(), "mci play") != log.end();
  })) << "the music never started";
  const FakeSoundMachine during = LoadMachine(machine);
  const bool silenced = !c.Silencing.empty();
  EXPECT_EQ(FileExists(run.WorkDir() + "vnx_rt.sound"), silenced);
  EXPECT_EQ(during.EndpointMuted || during.Mixers[0].Controls.at(1).On || during.Volume == 0, silenced);
  CloseAndExpectNothingLeft(run);

  const FakeSoundMachine after = LoadMachine(machine);
  EXPECT_EQ(after.EndpointMuted, audible.EndpointMuted);
  EXPECT_EQ(after.Volume, audible.Volume);
  EXPECT_EQ(after.Mixers[0].Controls.at(1).On, audible.Mixers[0].Controls.at(1).On);
  // The changes only: every read before them is the machine's own business.
  const auto changes = [](std::vector<std::string>::const_iterator from, std::vector<std::string>::const_iterator to) {
    std::vector<std::string> kept;
    std::copy_if(from, to, std::back_inserter(kept), [](const std::string& call) {
      return call.find("Set") != std::string::npos || call.rfind("mci", 0) == 0;
    });
    return kept;
  };
  const std::vector<std::string> log = MachineLog(machine);
  const auto firstMci = std::find_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("mci", 0) == 0; });
  const auto lastMci = std::find_if(log.rbegin(), log.rend(), [](const std::string& s) { return s.rfind("mci", 0) == 0; });
  ASSERT_NE(firstMci, log.end());
  EXPECT_EQ(*firstMci, "mci open");
  EXPECT_EQ(*lastMci, "mci close");
  EXPECT_EQ(changes(log.begin(), firstMci), c.Silencing);
  EXPECT_EQ(changes(lastMci.base(), log.end()), c.GivingBack);
  for (const std::string& call : changes(firstMci, lastMci.base())) EXPECT_EQ(call.rfind("mci", 0), 0u) << call;
}

INSTANTIATE_TEST_SUITE_P(
    Machine, FakeMachinePresentation,
    testing::Values(
        FakeMachineCase{"CurrentWindows", "Sound=0\r\n", kWindows7, {"SetEndpointMute"}, {"SetEndpointMute"}},
        FakeMachineCase{"WindowsXp",
                        "Sound=0\r\n",
                        kWindowsXp,
                        {"mixerSetControlDetails", "waveOutSetVolume"},
                        {"mixerSetControlDetails", "waveOutSetVolume"}},
        FakeMachineCase{"SoundOn", "Sound=1\r\n", kWindows7, {}, {}}),
    CaseName<FakeMachineCase>);

// A start-up that ends before the projector starts never touches the sound.
TEST(FakeMachinePresentationFailure, AStartUpEndingBeforeTheLaunchTouchesNothing) {
  ScratchDirectory scratch{"machine"};
  const std::string machine = scratch.File("machine.txt");
  SaveMachine(AudibleMachine(kWindows7), machine);
  const ScopedVariable machineFile("VNX_FAKE_SOUND_MACHINE", machine.c_str());
  PresentationSpec presentation;
  presentation.Runner = "sound_test_runner.exe";
  presentation.Engine = "six_exports_engine.dll";  // the engine stage ends the session
  presentation.Settings = "Sound=0\r\n";
  PresentationRun run(presentation);
  run.Start();
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_FALSE(run.LastLog("process"));
  EXPECT_EQ(MachineLog(machine), std::vector<std::string>{});
  EXPECT_FALSE(LoadMachine(machine).EndpointMuted);
}

}  // namespace
}  // namespace vnx::test

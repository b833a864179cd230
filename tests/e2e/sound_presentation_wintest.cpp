// Whole presentations with music and without sound. The runner here is
// mostly the test runner of tests/sound/: the real runner whose machine sound
// is a fake kept in a file, with a log of the machine's calls and of the
// music's real MCI commands and their results, so the test sees when the
// music starts and stops and when the machine is silenced and given back.
// Wine has no sound card here; its MCI sequencer opens a MIDI file, reports
// it playing and holds it until it is closed.

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

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

bool IsMci(const std::string& call) { return call.rfind("mci ", 0) == 0; }

void CloseAndExpectNothingLeft(PresentationRun& run) {
  EXPECT_FALSE(MessageBoxOf(run.RunnerProcessId()));
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LastLog("exit"), "0");
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

std::string WrittenMachine(const std::string& path, DWORD version) {
  SaveMachine(AudibleMachine(version), path);
  return path;
}

PresentationSpec BehindTheTestRunner(PresentationSpec presentation) {
  presentation.Runner = "sound_test_runner.exe";
  return presentation;
}

// A presentation packed behind the test runner, with its machine.
struct MachineRun {
  MachineRun(DWORD version, PresentationSpec presentation)
      : machine(WrittenMachine(scratch.File("machine.txt"), version)),
        variable("VNX_FAKE_SOUND_MACHINE", machine.c_str()),
        run(BehindTheTestRunner(std::move(presentation))) {}

  std::vector<std::string> Log() const { return MachineLog(machine); }
  // The first logged call that begins so, once it is there.
  std::optional<std::string> WaitForCall(const std::string& start) const {
    std::optional<std::string> found;
    WaitFor([&] {
      for (const std::string& call : Log())
        if (call.rfind(start, 0) == 0) found = call;
      return found.has_value();
    });
    return found;
  }

  ScratchDirectory scratch{"machine"};
  std::string machine;
  ScopedVariable variable;
  PresentationRun run;
};

struct MusicCase {
  const char* Name;
  const char* Settings;
  std::string Music;                // the session's "Music.MID"
  bool Written;                     // the file is in the working directory while the presentation runs
  std::optional<std::string> Open;  // MCI's answer to the open; none: never asked
};

class MusicPresentation : public testing::TestWithParam<MusicCase> {};

// Music or not, the viewer sees no message and the presentation ends as
// usual; an opened file is played, and stopped and closed before it is
// deleted with the working directory.
TEST_P(MusicPresentation, TheMusicWhileTheShowRunsAndAfter) {
  const MusicCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Settings = c.Settings;
  presentation.Extra.push_back({"Music.MID", c.Music, ""});
  MachineRun show(kWindows7, presentation);
  ASSERT_TRUE(show.run.StartAndWaitForPresentation());
  EXPECT_EQ(FileExists(show.run.WorkDir() + "music.mid"), c.Written);
  if (c.Open) {
    EXPECT_EQ(show.WaitForCall("mci open"), "mci open " + *c.Open);
    if (*c.Open == "0") {
      EXPECT_EQ(show.WaitForCall("mci play"), "mci play 0");
    }
  } else {
    EXPECT_TRUE(WaitFor([&] { return show.run.ReadControlBlock().PresentationShown == 1; }));
  }
  CloseAndExpectNothingLeft(show.run);

  std::vector<std::string> mci;
  for (const std::string& call : show.Log())
    if (IsMci(call)) mci.push_back(call);
  if (!c.Open) {
    EXPECT_EQ(mci, std::vector<std::string>{});
  } else if (*c.Open == "0") {
    EXPECT_GE(std::count(mci.begin(), mci.end(), "mci play 0"), 1);
    EXPECT_EQ(std::vector<std::string>(mci.end() - 3, mci.end()),
              (std::vector<std::string>{"mci status 0", "mci stop 0", "mci close 0"}));
  } else {
    EXPECT_EQ(mci, std::vector<std::string>{"mci open " + *c.Open});
  }
}

INSTANTIATE_TEST_SUITE_P(Music, MusicPresentation,
                         testing::Values(MusicCase{"DemoMusicRepeated", "Midi=0\r\nMidiLoop=1\r\n",
                                                   BuiltProgramBytes("music.mid"), true, "0"},
                                         MusicCase{"MusicMutedIsNeitherWrittenNorPlayed", "Midi=1\r\n",
                                                   BuiltProgramBytes("music.mid"), false, std::nullopt},
                                         MusicCase{"MusicMciCannotPlay", "Midi=0\r\n", std::string(64, 'x'), true,
                                                   std::to_string(MCIERR_INVALID_FILE)}),
                         CaseName<MusicCase>);

// The runner's calls to the machine, in order, with the music's MCI commands
// among them.
struct MachineCase {
  const char* Name;
  const char* Settings;
  DWORD Version;
  std::vector<std::string> Silencing, GivingBack;  // the machine's changes before the music and after it
};

class SoundPresentation : public testing::TestWithParam<MachineCase> {};

TEST_P(SoundPresentation, SilencedBeforeTheProjectorRunsAndGivenBackAfterTheMusicStopped) {
  const MachineCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Settings = std::string("MidiLoop=1\r\n") + c.Settings;
  presentation.Extra.push_back({"Music.MID", BuiltProgramBytes("music.mid"), ""});
  MachineRun show(c.Version, presentation);
  ASSERT_TRUE(show.run.StartAndWaitForPresentation());
  EXPECT_EQ(show.WaitForCall("mci play"), "mci play 0");
  const FakeSoundMachine during = LoadMachine(show.machine);
  const bool silenced = !c.Silencing.empty();
  EXPECT_EQ(FileExists(show.run.WorkDir() + "vnx_rt.sound"), silenced);
  EXPECT_EQ(during.EndpointMuted || during.Mixers[0].Controls.at(1).On || during.Volume == 0, silenced);
  CloseAndExpectNothingLeft(show.run);

  const FakeSoundMachine audible = AudibleMachine(c.Version), after = LoadMachine(show.machine);
  EXPECT_EQ(after.EndpointMuted, audible.EndpointMuted);
  EXPECT_EQ(after.Volume, audible.Volume);
  EXPECT_EQ(after.Mixers[0].Controls.at(1).On, audible.Mixers[0].Controls.at(1).On);
  // The changes and the music; reading the machine is no change.
  std::vector<std::string> log;
  for (const std::string& call : show.Log())
    if (IsMci(call) || call.find("Set") != std::string::npos) log.push_back(call);
  const auto firstMci = std::find_if(log.begin(), log.end(), IsMci);
  const auto afterMci = std::find_if(log.rbegin(), log.rend(), IsMci).base();
  ASSERT_NE(firstMci, log.end());
  EXPECT_EQ(*firstMci, "mci open 0");
  EXPECT_EQ(*(afterMci - 1), "mci close 0");
  EXPECT_EQ(std::vector<std::string>(log.begin(), firstMci), c.Silencing);
  EXPECT_EQ(std::vector<std::string>(afterMci, log.end()), c.GivingBack);
  EXPECT_TRUE(std::all_of(firstMci, afterMci, IsMci));
}

INSTANTIATE_TEST_SUITE_P(
    Machine, SoundPresentation,
    testing::Values(MachineCase{"CurrentWindows", "Sound=0\r\n", kWindows7, {"SetEndpointMute"}, {"SetEndpointMute"}},
                    MachineCase{"WindowsXp",
                                "Sound=0\r\n",
                                kWindowsXp,
                                {"mixerSetControlDetails", "waveOutSetVolume"},
                                {"mixerSetControlDetails", "waveOutSetVolume"}},
                    MachineCase{"SoundOn", "Sound=1\r\n", kWindows7, {}, {}}),
    CaseName<MachineCase>);

// A start-up that ends before the projector starts never touches the sound.
TEST(SoundPresentationFailure, AStartUpEndingBeforeTheLaunchTouchesNothing) {
  PresentationSpec presentation;
  presentation.Engine = "six_exports_engine.dll";  // the engine stage ends the session
  presentation.Settings = "Sound=0\r\n";
  MachineRun show(kWindows7, presentation);
  show.run.Start();
  EXPECT_TRUE(show.run.WaitForEnd());
  EXPECT_FALSE(show.run.LastLog("process"));
  EXPECT_EQ(show.Log(), std::vector<std::string>{});
  EXPECT_FALSE(LoadMachine(show.machine).EndpointMuted);
}

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

// The real runner on Wine's real sound, which has nothing to silence here:
// no endpoint (Core Audio does not start without an audio driver), no wave
// mapper, no mixer. On Wine's default version (Windows 7) the runner asks
// Core Audio, on Windows XP the wave mapper and the mixers; either way it
// writes no restore file, the presentation runs to its end, and the machine
// answers afterwards as before.
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

}  // namespace
}  // namespace vnx::test

// Silencing the machine and giving its sound back, on a fake machine: the
// walk over the mixers' mute controls, the wave mapper's volume, the default
// render endpoint, the restore file that is written before anything is
// silenced, and the sound given back from that file after a crash.

#include "sound/machine_mute.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "runner/frm_main.h"
#include "runner/session_holders.h"
#include "sound/sound_seams.h"
#include "tests/sound/fake_sound_machine.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

using Machine = FakeSoundMachine;
using Line = Machine::Line;

// A control by mixer and id.
using ControlKey = std::pair<std::size_t, DWORD>;

std::map<ControlKey, bool> ControlStates(const Machine& machine) {
  std::map<ControlKey, bool> states;
  for (std::size_t mixer = 0; mixer < machine.Mixers.size(); ++mixer)
    for (const auto& [id, control] : machine.Mixers[mixer].Controls) states[{mixer, id}] = control.On;
  return states;
}

// A mixer whose controls are all mute controls, off unless listed as on.
Machine::Mixer MixerOf(std::vector<Machine::Destination> destinations, std::vector<DWORD> on = {}) {
  Machine::Mixer mixer;
  mixer.Destinations = std::move(destinations);
  for (const auto& destination : mixer.Destinations)
    for (const Line& line : destination.Sources)
      for (DWORD id : line.Controls) mixer.Controls[id].On = std::find(on.begin(), on.end(), id) != on.end();
  return mixer;
}

Machine::Destination Speakers(std::vector<Line> sources) { return {MIXERLINE_TARGETTYPE_WAVEOUT, std::move(sources)}; }
Line WaveOut(std::vector<DWORD> controls) { return {MIXERLINE_TARGETTYPE_WAVEOUT, std::move(controls)}; }

class MachineMuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = SoundSystem();
    runner.WorkDir = scratch.Path() + "\\";
  }
  void TearDown() override { SoundSystem() = saved_; }

  void Use(Machine& machine) {
    machine.Install(SoundSystem());
    // What was on disk whenever the machine was about to be silenced.
    const auto setControl = SoundSystem().MixerSetControlDetails;
    SoundSystem().MixerSetControlDetails = [this, setControl](HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details,
                                                              DWORD flags) {
      fileBeforeChange.push_back(FileExists(RestoreFile()));
      return setControl(mixer, details, flags);
    };
    const auto setVolume = SoundSystem().WaveOutSetVolume;
    SoundSystem().WaveOutSetVolume = [this, setVolume](HWAVEOUT device, DWORD volume) {
      fileBeforeChange.push_back(FileExists(RestoreFile()));
      return setVolume(device, volume);
    };
    const auto setMute = SoundSystem().SetEndpointMute;
    SoundSystem().SetEndpointMute = [this, setMute](const std::string& id, bool muted) {
      fileBeforeChange.push_back(FileExists(RestoreFile()));
      return setMute(id, muted);
    };
  }
  std::string RestoreFile() const { return runner.WorkDir + "vnx_rt.sound"; }
  // Every change of the machine came after the restore file was written.
  void ExpectEveryChangeAfterTheFile() const {
    for (bool existed : fileBeforeChange) EXPECT_TRUE(existed);
  }

  ScratchDirectory scratch{"mute"};
  TfrmMain runner;
  SessionHolders holders;
  std::vector<bool> fileBeforeChange;

 private:
  SoundSeams saved_;
};

struct WalkCase {
  const char* name;
  Machine machine;
  std::vector<ControlKey> silenced;  // the controls switched on by the mute step and off again afterwards
};

std::vector<WalkCase> WalkCases() {
  std::vector<DWORD> many;
  for (DWORD id = 1; id <= 34; ++id) many.push_back(id);
  Machine::Mixer busy = MixerOf({Speakers({WaveOut(many)})});
  std::vector<ControlKey> first32;
  for (DWORD id = 1; id <= 32; ++id) first32.push_back({0, id});

  Machine::Mixer mixed = MixerOf({Speakers({WaveOut({1, 2, 3})})}, {1});
  mixed.Controls[3].Type = MIXERCONTROL_CONTROLTYPE_VOLUME;
  Machine::Mixer unreadable = MixerOf({Speakers({WaveOut({1, 2})})});
  unreadable.Controls[1].Readable = false;
  Machine::Mixer closed = MixerOf({Speakers({WaveOut({1})})});
  closed.Opens = false;

  auto machine = [](std::vector<Machine::Mixer> mixers) {
    Machine m;
    m.Mixers = std::move(mixers);
    return m;
  };
  return {
      {"already muted stays muted, an off one is switched back off", machine({mixed}), {{0, 2}}},
      {"one control under two destinations counts once",
       machine({MixerOf({Speakers({WaveOut({5})}), {MIXERLINE_TARGETTYPE_UNDEFINED, {WaveOut({6, 5})}}})}),
       {{0, 5}, {0, 6}}},
      {"recording destination and other sources left alone",
       machine({MixerOf({{MIXERLINE_TARGETTYPE_WAVEIN, {WaveOut({7})}},
                         Speakers({{MIXERLINE_TARGETTYPE_MIDIOUT, {8}}, {MIXERLINE_TARGETTYPE_WAVEIN, {9}}}),
                         {MIXERLINE_TARGETTYPE_AUX, {WaveOut({10})}}})}),
       {{0, 10}}},
      {"a mixer that does not open is passed over", machine({closed, MixerOf({Speakers({WaveOut({1})})})}), {{1, 1}}},
      {"a control whose state cannot be read is left alone", machine({unreadable}), {{0, 2}}},
      {"past 32 controls the rest is left alone", machine({busy}), first32},
      {"the same id on two mixers is two controls",
       machine({MixerOf({Speakers({WaveOut({1})})}), MixerOf({Speakers({WaveOut({1})})})}),
       {{0, 1}, {1, 1}}},
  };
}

TEST_F(MachineMuteTest, TheWalkSilencesWaveOutputOnlyAndGivesBackWhatItChanged) {
  for (WalkCase& c : WalkCases()) {
    SCOPED_TRACE(c.name);
    fileBeforeChange.clear();
    Machine& machine = c.machine;
    machine.Volume = 0;  // the mixers alone
    Use(machine);
    const std::map<ControlKey, bool> before = ControlStates(machine);

    MuteWaveOutput(runner, holders);
    ASSERT_TRUE(holders.MutedSound);
    EXPECT_TRUE(FileExists(RestoreFile()));
    std::map<ControlKey, bool> expected = before;
    for (const ControlKey& key : c.silenced) expected[key] = true;
    EXPECT_EQ(ControlStates(machine), expected);

    RestoreWaveOutput(runner, holders);
    EXPECT_EQ(ControlStates(machine), before);
    EXPECT_FALSE(holders.MutedSound);
    EXPECT_FALSE(FileExists(RestoreFile()));
    EXPECT_EQ(machine.OpenMixers, 0);
    for (std::size_t mixer = 0; mixer < machine.Mixers.size(); ++mixer)
      for (const auto& [id, control] : machine.Mixers[mixer].Controls) {
        const bool silenced =
            std::find(c.silenced.begin(), c.silenced.end(), ControlKey{mixer, id}) != c.silenced.end();
        EXPECT_EQ(control.Writes, silenced ? 2 : 0) << mixer << "/" << id;  // once on, once off
      }
    ExpectEveryChangeAfterTheFile();
  }
}

TEST_F(MachineMuteTest, TheWaveMapperVolumeIsSilencedOnlyWhenItCanBeGivenBack) {
  struct Case {
    const char* name;
    MMRESULT caps;
    DWORD support;
    bool readable;
    DWORD volume;
    bool silenced;
  } const cases[] = {
      {"volume control", MMSYSERR_NOERROR, WAVECAPS_VOLUME, true, 0x80004000, true},
      {"no wave mapper", MMSYSERR_NODRIVER, WAVECAPS_VOLUME, true, 0x80004000, false},
      {"no volume control", MMSYSERR_NOERROR, WAVECAPS_LRVOLUME, true, 0x80004000, false},
      {"volume not readable", MMSYSERR_NOERROR, WAVECAPS_VOLUME, false, 0x80004000, false},
      {"already silent", MMSYSERR_NOERROR, WAVECAPS_VOLUME, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fileBeforeChange.clear();
    Machine machine;
    machine.WaveCaps = c.caps;
    machine.WaveSupport = c.support;
    machine.VolumeReadable = c.readable;
    machine.Volume = c.volume;
    Use(machine);

    MuteWaveOutput(runner, holders);
    EXPECT_EQ(holders.MutedSound.has_value(), c.silenced);
    EXPECT_EQ(FileExists(RestoreFile()), c.silenced);
    EXPECT_EQ(machine.Volume, c.silenced ? 0 : c.volume);
    RestoreWaveOutput(runner, holders);
    EXPECT_EQ(machine.Volume, c.volume);
    EXPECT_EQ(std::count(machine.Calls.begin(), machine.Calls.end(), "waveOutSetVolume"), c.silenced ? 2 : 0);
    EXPECT_FALSE(FileExists(RestoreFile()));
    ExpectEveryChangeAfterTheFile();
  }
}

TEST_F(MachineMuteTest, TheDefaultEndpointIsMutedOnCurrentWindowsAndGivenBack) {
  struct Case {
    const char* name;
    bool endpoint, readable, mutedBefore;
    bool silenced;
  } const cases[] = {
      {"not muted before: unmuted after", true, true, false, true},
      {"muted before: stays muted", true, true, true, false},
      {"no endpoint", false, true, false, false},
      {"mute state not readable", true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fileBeforeChange.clear();
    Machine machine;
    machine.Version = kWindows7;
    machine.Mixers = {MixerOf({Speakers({WaveOut({1})})})};
    if (!c.endpoint) machine.Endpoint.reset();
    machine.EndpointReadable = c.readable;
    machine.EndpointMuted = c.mutedBefore;
    Use(machine);

    MuteWaveOutput(runner, holders);
    EXPECT_EQ(holders.MutedSound.has_value(), c.silenced);
    EXPECT_EQ(machine.EndpointMuted, c.silenced || c.mutedBefore);
    RestoreWaveOutput(runner, holders);
    EXPECT_EQ(machine.EndpointMuted, c.mutedBefore);
    EXPECT_EQ(std::count(machine.Calls.begin(), machine.Calls.end(), "SetEndpointMute"), c.silenced ? 2 : 0);
    // The process's own session is not the machine: no waveOut or mixer call.
    for (const std::string& call : machine.Calls) EXPECT_EQ(call.find("wave"), std::string::npos) << call;
    for (const std::string& call : machine.Calls) EXPECT_EQ(call.find("mixer"), std::string::npos) << call;
    EXPECT_FALSE(FileExists(RestoreFile()));
    ExpectEveryChangeAfterTheFile();
  }
}

// Two runners whose silent presentations overlap, ending in either order:
// the second found the machine silent already and changed nothing, so
// whichever ends last, the machine ends as the first found it.
TEST_F(MachineMuteTest, OverlappingSilentPresentationsLeaveTheMachineAsTheFirstFoundIt) {
  for (const DWORD version : {kWindowsXp, kWindows7}) {
    for (const bool firstEndsFirst : {true, false}) {
      SCOPED_TRACE(std::to_string(version) + (firstEndsFirst ? " first ends first" : " second ends first"));
      Machine machine;
      machine.Version = version;
      machine.Mixers = {MixerOf({Speakers({WaveOut({1})})})};
      Use(machine);
      const Machine before = machine;
      ScratchDirectory secondDirectory{"mute2"};
      TfrmMain second;
      second.WorkDir = secondDirectory.Path() + "\\";
      SessionHolders secondHolders;

      MuteWaveOutput(runner, holders);
      MuteWaveOutput(second, secondHolders);
      if (firstEndsFirst) RestoreWaveOutput(runner, holders);
      RestoreWaveOutput(second, secondHolders);
      if (!firstEndsFirst) RestoreWaveOutput(runner, holders);
      EXPECT_EQ(ControlStates(machine), ControlStates(before));
      EXPECT_EQ(machine.Volume, before.Volume);
      EXPECT_EQ(machine.EndpointMuted, before.EndpointMuted);
    }
  }
}

// No restore file, no silence: after a crash there would be no way back.
TEST_F(MachineMuteTest, NothingIsSilencedWhenTheRestoreFileCannotBeWritten) {
  for (const DWORD version : {kWindowsXp, kWindows7}) {
    Machine machine;
    machine.Version = version;
    machine.Mixers = {MixerOf({Speakers({WaveOut({1})})})};
    Use(machine);
    runner.WorkDir = scratch.File("missing") + "\\";
    MuteWaveOutput(runner, holders);
    EXPECT_FALSE(holders.MutedSound);
    EXPECT_FALSE(machine.EndpointMuted);
    EXPECT_FALSE(machine.Mixers[0].Controls[1].On);
    EXPECT_EQ(machine.Volume, 0x80004000u);
  }
}

// A runner that died while the machine was silent: the runner that reclaims
// its directory finds the restore file and gives the sound back.
TEST_F(MachineMuteTest, TheSoundComesBackFromTheFileOfARunnerThatDied) {
  for (const DWORD version : {kWindowsXp, kWindows7, kWindows98}) {
    SCOPED_TRACE(version);
    Machine machine;
    machine.Version = version;
    machine.Mixers = {MixerOf({Speakers({WaveOut({1, 2})})}, {2})};
    Use(machine);
    const Machine before = machine;
    MuteWaveOutput(runner, holders);
    ASSERT_TRUE(FileExists(RestoreFile()));
    holders.MutedSound.reset();  // the runner is gone, and what it held with it

    GiveBackLeftSound(scratch.Path());
    EXPECT_EQ(ControlStates(machine), ControlStates(before));
    EXPECT_EQ(machine.Volume, before.Volume);
    EXPECT_EQ(machine.EndpointMuted, before.EndpointMuted);
    EXPECT_FALSE(FileExists(RestoreFile()));
  }
  // A directory without a restore file, or with a damaged one, changes nothing.
  Machine machine;
  Use(machine);
  fileBeforeChange.clear();
  GiveBackLeftSound(scratch.Path());
  scratch.Write("vnx_rt.sound", "way=wave-mixer\r\nvolume=0\r\n");
  GiveBackLeftSound(scratch.Path());
  EXPECT_TRUE(fileBeforeChange.empty());
}

}  // namespace
}  // namespace vnx::test

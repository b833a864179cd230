#include "sound/saved_sound.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(SavedSound, TheWayFollowsTheSystemVersion) {
  struct Case {
    const char* name;
    std::uint32_t versionWord;
    MuteWay way;
  } const cases[] = {
      {"Windows 95", 0xC3B60004, MuteWay::WaveMixer},
      {"Windows 98", 0xC0000A04, MuteWay::WaveMixer},
      {"Windows Me", 0xC0005A04, MuteWay::WaveMixer},
      {"Windows NT 4", 0x05650004, MuteWay::WaveMixer},
      {"Windows 2000", 0x08930005, MuteWay::WaveMixer},
      {"Windows XP", 0x0A280105, MuteWay::WaveMixer},
      {"Windows Vista", 0x17700006, MuteWay::Endpoint},
      {"Windows 7", 0x1DB10106, MuteWay::Endpoint},
      {"Windows 10 without manifest", 0x23F00206, MuteWay::Endpoint},
  };
  for (const Case& c : cases) EXPECT_EQ(MuteWayFor(c.versionWord), c.way) << c.name;
}

TEST(SavedSound, OnlyControlsThatWereOffAreSwitched) {
  struct Case {
    std::uint32_t states;
    int controls;
    std::uint32_t switched;
  } const cases[] = {
      {0, 0, 0}, {0b0101, 3, 0b010}, {0b111, 3, 0}, {0, 32, 0xFFFFFFFFu}, {0x80000001u, 32, 0x7FFFFFFEu},
  };
  for (const Case& c : cases) {
    SavedSound saved;
    saved.SavedMuteStates = c.states;
    saved.MuteControls = c.controls;
    EXPECT_EQ(ControlsSwitchedOn(saved), c.switched) << c.states << "/" << c.controls;
  }
}

TEST(SavedSound, SilencingChangesSomethingOnlyWhenSomethingIsAudible) {
  SavedSound volumeOnly;
  volumeOnly.SavedWaveVolume = 0x00010000;  // the right channel alone
  SavedSound silentVolume;
  silentVolume.SavedWaveVolume = 0;
  SavedSound controlOff;
  controlOff.MuteControls = 1;
  SavedSound controlOn = controlOff;
  controlOn.SavedMuteStates = 1;
  SavedSound endpoint;
  endpoint.Way = MuteWay::Endpoint;
  endpoint.EndpointId = "e";
  SavedSound endpointMuted = endpoint;
  endpointMuted.EndpointMuted = true;

  EXPECT_TRUE(SilencingChangesSomething(volumeOnly));
  EXPECT_FALSE(SilencingChangesSomething(silentVolume));
  EXPECT_FALSE(SilencingChangesSomething(SavedSound{}));  // volume unknown, no controls
  EXPECT_TRUE(SilencingChangesSomething(controlOff));
  EXPECT_FALSE(SilencingChangesSomething(controlOn));
  EXPECT_TRUE(SilencingChangesSomething(endpoint));
  EXPECT_FALSE(SilencingChangesSomething(endpointMuted));
}

TEST(SavedSound, TheRestoreFileReadsBackWhatWasWritten) {
  SavedSound mixer;
  mixer.SavedWaveVolume = 0xFFFF8000u;
  mixer.SavedMuteStates = 0x80000005u;
  mixer.MuteControls = 32;
  SavedSound unknownVolume;
  unknownVolume.MuteControls = 2;
  SavedSound endpoint;
  endpoint.Way = MuteWay::Endpoint;
  endpoint.EndpointId = "{0.0.0.00000000}.{5e5d3c6e-1111-4000-8000-00000000abcd}";
  SavedSound endpointMuted = endpoint;
  endpointMuted.EndpointMuted = true;
  for (const SavedSound& saved : {mixer, unknownVolume, endpoint, endpointMuted}) {
    const std::string text = FormatSavedSound(saved);
    EXPECT_EQ(ParseSavedSound(text), saved) << text;
  }
}

TEST(SavedSound, AnIncompleteOrDamagedFileGivesNothing) {
  const char* const texts[] = {
      "",
      "way=wave-mixer\r\nvolume=5\r\nmute-states=1\r\n",  // cut short
      "way=wave-mixer\r\nvolume=5\r\nmute-states=1\r\nmute-controls=33\r\n",
      "way=wave-mixer\r\nvolume=-5\r\nmute-states=1\r\nmute-controls=1\r\n",
      "way=wave-mixer\r\nvolume=4294967296\r\nmute-states=1\r\nmute-controls=1\r\n",
      "way=wave-mixer\r\nvolume=5x\r\nmute-states=1\r\nmute-controls=1\r\n",
      "way=endpoint\r\nendpoint=\r\nmuted=0\r\n",
      "way=endpoint\r\nendpoint=x\r\nmuted=yes\r\n",
      "way=speakers\r\n",
      "volume=5\r\nmute-states=1\r\nmute-controls=1\r\n",
  };
  for (const char* text : texts) EXPECT_EQ(ParseSavedSound(text), std::nullopt) << text;
}

}  // namespace
}  // namespace vnx

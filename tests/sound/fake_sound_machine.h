#pragma once
// A machine's sound as the mute sees it: the wave mapper's volume, mixers
// with destination lines, their source lines and controls, and a default
// render endpoint. It answers as winmm and Core Audio do, refuses calls
// whose structure sizes or handle flags are wrong, and records every call.

#include <windows.h>
#include <mmsystem.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sound/sound_seams.h"

namespace vnx::test {

inline constexpr DWORD kWindowsXp = 0x0A280105;  // GetVersion of 5.1, build 2600
inline constexpr DWORD kWindows7 = 0x1DB10106;   // 6.1, build 7601
inline constexpr DWORD kWindows98 = 0xC0000A04;  // 4.10, the 9x family's high bit

struct FakeSoundMachine {
  struct Line {
    DWORD Target;                 // MIXERLINE_TARGETTYPE_*
    std::vector<DWORD> Controls;  // ids of the mixer's controls on this line
  };
  struct Destination {
    DWORD Target;
    std::vector<Line> Sources;
  };
  struct Control {
    DWORD Type = MIXERCONTROL_CONTROLTYPE_MUTE;
    bool On = false;
    bool Readable = true;
    int Writes = 0;
  };
  struct Mixer {
    bool Opens = true;
    std::vector<Destination> Destinations;
    std::map<DWORD, Control> Controls;
  };

  void Install(SoundSeams& seams);
  // Every call by name ("waveOutGetVolume", "mixerOpen", "SetEndpointMute", ...).
  std::vector<std::string> Calls;
  int OpenMixers = 0;  // opened and not closed

  DWORD Version = kWindowsXp;
  MMRESULT WaveCaps = MMSYSERR_NOERROR;
  DWORD WaveSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
  bool VolumeReadable = true;
  DWORD Volume = 0x80004000;
  std::vector<Mixer> Mixers;
  std::optional<std::string> Endpoint = "{0.0.0.00000000}.{5e5d3c6e-0000-4000-8000-000000000001}";
  bool EndpointReadable = true;
  bool EndpointMuted = false;
};

}  // namespace vnx::test

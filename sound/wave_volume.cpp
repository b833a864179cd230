#include "sound/wave_volume.h"

#include "sound/sound_seams.h"

namespace vnx {
namespace {

// waveOutGetVolume and waveOutSetVolume take the device number in place of
// an open device's handle.
HWAVEOUT WaveMapper() { return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)); }

bool WaveMapperHasVolume() {
  WAVEOUTCAPSA caps{};
  return SoundSystem().WaveOutGetDevCaps(WAVE_MAPPER, &caps, sizeof caps) == MMSYSERR_NOERROR &&
         (caps.dwSupport & WAVECAPS_VOLUME) != 0;
}

}  // namespace

std::optional<std::uint32_t> GetWaveVolume() {
  DWORD volume = 0;
  if (!WaveMapperHasVolume() || SoundSystem().WaveOutGetVolume(WaveMapper(), &volume) != MMSYSERR_NOERROR) return {};
  return volume;
}

void SetWaveVolume(std::uint32_t volume) {
  if (GetWaveVolume()) SoundSystem().WaveOutSetVolume(WaveMapper(), volume);
}

}  // namespace vnx

#include "sound/sound_seams.h"

#include "sound/endpoint_volume.h"

namespace vnx {

SoundSeams RealSoundSeams() {
  SoundSeams seams;
  seams.SendMciCommand = mciSendCommandA;
  seams.GetMciErrorString = mciGetErrorStringA;
  seams.VersionWord = GetVersion;
  seams.WaveOutGetDevCaps = waveOutGetDevCapsA;
  seams.WaveOutGetVolume = waveOutGetVolume;
  seams.WaveOutSetVolume = waveOutSetVolume;
  seams.MixerGetNumDevs = mixerGetNumDevs;
  seams.MixerGetDevCaps = mixerGetDevCapsA;
  seams.MixerOpen = mixerOpen;
  seams.MixerClose = mixerClose;
  seams.MixerGetLineInfo = mixerGetLineInfoA;
  seams.MixerGetLineControls = mixerGetLineControlsA;
  seams.MixerGetControlDetails = mixerGetControlDetailsA;
  seams.MixerSetControlDetails = mixerSetControlDetails;
  seams.DefaultRenderEndpoint = DefaultRenderEndpointId;
  seams.GetEndpointMute = GetEndpointMuteOf;
  seams.SetEndpointMute = SetEndpointMuteOf;
  return seams;
}

SoundSeams& SoundSystem() {
  static SoundSeams seams = RealSoundSeams();
  return seams;
}

}  // namespace vnx

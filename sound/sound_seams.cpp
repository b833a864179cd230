#include "sound/sound_seams.h"

#include "common/library_function.h"
#include "common/system_libraries.h"
#include "sound/endpoint_volume.h"

namespace vnx {
namespace {

// winmm is not one of the system's known DLLs: it comes from the system
// directory when the sound is first used and stays for the process's life,
// since an open MCI device notifies through it.
HMODULE Winmm() {
  static const HMODULE library = LoadSystemLibrary("winmm.dll");
  return library;
}

template <class Function>
struct WinmmSeam;

// A winmm function as a seam; without winmm or without the function the
// call answers as a failing call does.
template <class Result, class... Arguments>
struct WinmmSeam<Result(WINAPI*)(Arguments...)> {
  static std::function<Result(Arguments...)> Of(const char* name, Result failure) {
    if (const auto function = LibraryFunction<Result(WINAPI*)(Arguments...)>(Winmm(), name)) return function;
    return [failure](Arguments...) { return failure; };
  }
};

}  // namespace

SoundSeams RealSoundSeams() {
  SoundSeams seams;
  seams.SendMciCommand = WinmmSeam<decltype(&mciSendCommandA)>::Of("mciSendCommandA", MCIERR_DEVICE_NOT_INSTALLED);
  seams.GetMciErrorString = WinmmSeam<decltype(&mciGetErrorStringA)>::Of("mciGetErrorStringA", FALSE);
  seams.VersionWord = GetVersion;
  seams.WaveOutGetDevCaps = WinmmSeam<decltype(&waveOutGetDevCapsA)>::Of("waveOutGetDevCapsA", MMSYSERR_NODRIVER);
  seams.WaveOutGetVolume = WinmmSeam<decltype(&waveOutGetVolume)>::Of("waveOutGetVolume", MMSYSERR_NODRIVER);
  seams.WaveOutSetVolume = WinmmSeam<decltype(&waveOutSetVolume)>::Of("waveOutSetVolume", MMSYSERR_NODRIVER);
  seams.MixerGetNumDevs = WinmmSeam<decltype(&mixerGetNumDevs)>::Of("mixerGetNumDevs", 0);
  seams.MixerGetDevCaps = WinmmSeam<decltype(&mixerGetDevCapsA)>::Of("mixerGetDevCapsA", MMSYSERR_NODRIVER);
  seams.MixerOpen = WinmmSeam<decltype(&mixerOpen)>::Of("mixerOpen", MMSYSERR_NODRIVER);
  seams.MixerClose = WinmmSeam<decltype(&mixerClose)>::Of("mixerClose", MMSYSERR_NODRIVER);
  seams.MixerGetLineInfo = WinmmSeam<decltype(&mixerGetLineInfoA)>::Of("mixerGetLineInfoA", MMSYSERR_NODRIVER);
  seams.MixerGetLineControls =
      WinmmSeam<decltype(&mixerGetLineControlsA)>::Of("mixerGetLineControlsA", MMSYSERR_NODRIVER);
  seams.MixerGetControlDetails =
      WinmmSeam<decltype(&mixerGetControlDetailsA)>::Of("mixerGetControlDetailsA", MMSYSERR_NODRIVER);
  seams.MixerSetControlDetails =
      WinmmSeam<decltype(&mixerSetControlDetails)>::Of("mixerSetControlDetails", MMSYSERR_NODRIVER);
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

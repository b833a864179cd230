#pragma once
// The machine's sound as the runner reaches it: MCI for the music; the wave
// mapper's volume and the mixers for the mute up to Windows XP; the default
// render endpoint since Windows Vista. Production wires winmm and Core Audio;
// tests put a fake machine in.

#include <windows.h>
#include <mmsystem.h>

#include <functional>
#include <optional>
#include <string>

namespace vnx {

struct SoundSeams {
  std::function<MCIERROR(MCIDEVICEID, UINT command, DWORD_PTR flags, DWORD_PTR parameters)> SendMciCommand;
  std::function<BOOL(MCIERROR, LPSTR text, UINT length)> GetMciErrorString;

  std::function<DWORD()> VersionWord;  // GetVersion

  std::function<MMRESULT(UINT_PTR device, LPWAVEOUTCAPSA, UINT size)> WaveOutGetDevCaps;
  std::function<MMRESULT(HWAVEOUT, LPDWORD volume)> WaveOutGetVolume;
  std::function<MMRESULT(HWAVEOUT, DWORD volume)> WaveOutSetVolume;

  std::function<UINT()> MixerGetNumDevs;
  std::function<MMRESULT(UINT_PTR device, LPMIXERCAPSA, UINT size)> MixerGetDevCaps;
  std::function<MMRESULT(LPHMIXER, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)> MixerOpen;
  std::function<MMRESULT(HMIXER)> MixerClose;
  std::function<MMRESULT(HMIXEROBJ, LPMIXERLINEA, DWORD flags)> MixerGetLineInfo;
  std::function<MMRESULT(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD flags)> MixerGetLineControls;
  std::function<MMRESULT(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD flags)> MixerGetControlDetails;
  std::function<MMRESULT(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD flags)> MixerSetControlDetails;

  // The default render endpoint for the console role, by its id; nothing
  // when there is none or Core Audio is not there.
  std::function<std::optional<std::string>()> DefaultRenderEndpoint;
  std::function<std::optional<bool>(const std::string& endpointId)> GetEndpointMute;
  std::function<bool(const std::string& endpointId, bool muted)> SetEndpointMute;
};

SoundSeams RealSoundSeams();
// The seams in use; RealSoundSeams until a test replaces entries.
SoundSeams& SoundSystem();

}  // namespace vnx

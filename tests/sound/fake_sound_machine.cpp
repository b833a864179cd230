#include "tests/sound/fake_sound_machine.h"

namespace vnx::test {
namespace {

constexpr UINT_PTR kFirstHandle = 0x5000;

// Handles given by mixerOpen are only understood with MIXER_OBJECTF_HMIXER.
constexpr DWORD kObjectTypeMask = 0xF0000000u;  // the MIXER_OBJECTF_* bits
bool ByHandle(DWORD flags) { return (flags & kObjectTypeMask) == MIXER_OBJECTF_HMIXER; }

}  // namespace

void FakeSoundMachine::Install(SoundSeams& seams) {
  const auto mixerOf = [this](HMIXEROBJ object, DWORD flags) -> Mixer* {
    const UINT_PTR index = reinterpret_cast<UINT_PTR>(object) - kFirstHandle;
    return ByHandle(flags) && index < Mixers.size() ? &Mixers[index] : nullptr;
  };
  const auto lineOf = [mixerOf](HMIXEROBJ object, const MIXERLINEA& query, DWORD flags) -> const Line* {
    Mixer* mixer = mixerOf(object, flags);
    if (!mixer || query.cbStruct != sizeof(MIXERLINEA) || query.dwDestination >= mixer->Destinations.size())
      return nullptr;
    const Destination& destination = mixer->Destinations[query.dwDestination];
    return query.dwSource < destination.Sources.size() ? &destination.Sources[query.dwSource] : nullptr;
  };
  const auto controlOf = [mixerOf](HMIXEROBJ object, const MIXERCONTROLDETAILS& details, DWORD flags) -> Control* {
    Mixer* mixer = mixerOf(object, flags);
    if (!mixer || details.cbStruct != sizeof details || details.cChannels != 1 ||
        details.cbDetails != sizeof(MIXERCONTROLDETAILS_BOOLEAN) || !details.paDetails)
      return nullptr;
    const auto control = mixer->Controls.find(details.dwControlID);
    return control == mixer->Controls.end() ? nullptr : &control->second;
  };

  seams.VersionWord = [this] { return Version; };
  seams.WaveOutGetDevCaps = [this](UINT_PTR device, LPWAVEOUTCAPSA caps, UINT size) {
    Calls.push_back("waveOutGetDevCaps");
    if (device != WAVE_MAPPER || size != sizeof(WAVEOUTCAPSA)) return MMRESULT(MMSYSERR_INVALPARAM);
    if (WaveCaps == MMSYSERR_NOERROR) caps->dwSupport = WaveSupport;
    return WaveCaps;
  };
  seams.WaveOutGetVolume = [this](HWAVEOUT device, LPDWORD volume) {
    Calls.push_back("waveOutGetVolume");
    if (reinterpret_cast<UINT_PTR>(device) != WAVE_MAPPER || !VolumeReadable) return MMRESULT(MMSYSERR_NOTSUPPORTED);
    *volume = Volume;
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.WaveOutSetVolume = [this](HWAVEOUT device, DWORD volume) {
    Calls.push_back("waveOutSetVolume");
    if (reinterpret_cast<UINT_PTR>(device) != WAVE_MAPPER) return MMRESULT(MMSYSERR_BADDEVICEID);
    Volume = volume;
    return MMRESULT(MMSYSERR_NOERROR);
  };

  seams.MixerGetNumDevs = [this] {
    Calls.push_back("mixerGetNumDevs");
    return static_cast<UINT>(Mixers.size());
  };
  seams.MixerGetDevCaps = [this](UINT_PTR device, LPMIXERCAPSA caps, UINT size) {
    Calls.push_back("mixerGetDevCaps");
    if (device >= Mixers.size() || size != sizeof(MIXERCAPSA)) return MMRESULT(MMSYSERR_BADDEVICEID);
    caps->cDestinations = static_cast<DWORD>(Mixers[device].Destinations.size());
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerOpen = [this](LPHMIXER mixer, UINT device, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
    Calls.push_back("mixerOpen");
    if (device >= Mixers.size() || callback != 0 || flags != MIXER_OBJECTF_MIXER) return MMRESULT(MMSYSERR_INVALPARAM);
    if (!Mixers[device].Opens) return MMRESULT(MMSYSERR_ALLOCATED);
    *mixer = reinterpret_cast<HMIXER>(kFirstHandle + device);
    ++OpenMixers;
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerClose = [this](HMIXER) {
    Calls.push_back("mixerClose");
    --OpenMixers;
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerGetLineInfo = [this, mixerOf, lineOf](HMIXEROBJ object, LPMIXERLINEA line, DWORD flags) {
    Calls.push_back("mixerGetLineInfo");
    const DWORD query = flags & MIXER_GETLINEINFOF_QUERYMASK;
    Mixer* mixer = mixerOf(object, flags);
    if (!mixer || line->cbStruct != sizeof(MIXERLINEA)) return MMRESULT(MMSYSERR_INVALPARAM);
    if (query == MIXER_GETLINEINFOF_DESTINATION) {
      if (line->dwDestination >= mixer->Destinations.size()) return MMRESULT(MIXERR_INVALLINE);
      const Destination& destination = mixer->Destinations[line->dwDestination];
      line->Target.dwType = destination.Target;
      line->cConnections = static_cast<DWORD>(destination.Sources.size());
      line->cControls = 0;
      line->dwLineID = 0xFFFF0000u | line->dwDestination;
      return MMRESULT(MMSYSERR_NOERROR);
    }
    const Line* source = query == MIXER_GETLINEINFOF_SOURCE ? lineOf(object, *line, flags) : nullptr;
    if (!source) return MMRESULT(MIXERR_INVALLINE);
    line->Target.dwType = source->Target;
    line->cControls = static_cast<DWORD>(source->Controls.size());
    line->dwLineID = (line->dwDestination << 16) | line->dwSource;
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerGetLineControls = [this, mixerOf](HMIXEROBJ object, LPMIXERLINECONTROLSA query, DWORD flags) {
    Calls.push_back("mixerGetLineControls");
    Mixer* mixer = mixerOf(object, flags);
    if (!mixer || (flags & MIXER_GETLINECONTROLSF_QUERYMASK) != MIXER_GETLINECONTROLSF_ALL ||
        query->cbStruct != sizeof(MIXERLINECONTROLSA) || query->cbmxctrl != sizeof(MIXERCONTROLA))
      return MMRESULT(MMSYSERR_INVALPARAM);
    const DWORD destination = query->dwLineID >> 16, source = query->dwLineID & 0xFFFF;
    if (destination >= mixer->Destinations.size() || source >= mixer->Destinations[destination].Sources.size())
      return MMRESULT(MIXERR_INVALLINE);
    const Line& line = mixer->Destinations[destination].Sources[source];
    if (query->cControls != line.Controls.size()) return MMRESULT(MMSYSERR_INVALPARAM);
    for (std::size_t i = 0; i < line.Controls.size(); ++i) {
      query->pamxctrl[i] = {};
      query->pamxctrl[i].cbStruct = sizeof(MIXERCONTROLA);
      query->pamxctrl[i].dwControlID = line.Controls[i];
      query->pamxctrl[i].dwControlType = mixer->Controls.at(line.Controls[i]).Type;
    }
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerGetControlDetails = [this, controlOf](HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD flags) {
    Calls.push_back("mixerGetControlDetails");
    Control* control = controlOf(object, *details, flags);
    if (!control || (flags & MIXER_GETCONTROLDETAILSF_QUERYMASK) != MIXER_GETCONTROLDETAILSF_VALUE)
      return MMRESULT(MMSYSERR_INVALPARAM);
    if (!control->Readable) return MMRESULT(MMSYSERR_ERROR);
    static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails)->fValue = control->On;
    return MMRESULT(MMSYSERR_NOERROR);
  };
  seams.MixerSetControlDetails = [this, controlOf](HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD flags) {
    Calls.push_back("mixerSetControlDetails");
    Control* control = controlOf(object, *details, flags);
    if (!control || (flags & MIXER_SETCONTROLDETAILSF_QUERYMASK) != MIXER_SETCONTROLDETAILSF_VALUE)
      return MMRESULT(MMSYSERR_INVALPARAM);
    control->On = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails)->fValue != 0;
    ++control->Writes;
    return MMRESULT(MMSYSERR_NOERROR);
  };

  seams.DefaultRenderEndpoint = [this] {
    Calls.push_back("DefaultRenderEndpoint");
    return Endpoint;
  };
  seams.GetEndpointMute = [this](const std::string& id) -> std::optional<bool> {
    Calls.push_back("GetEndpointMute");
    if (!Endpoint || id != *Endpoint || !EndpointReadable) return std::nullopt;
    return EndpointMuted;
  };
  seams.SetEndpointMute = [this](const std::string& id, bool muted) {
    Calls.push_back("SetEndpointMute");
    if (!Endpoint || id != *Endpoint) return false;
    EndpointMuted = muted;
    return true;
  };
}

}  // namespace vnx::test

#include "sound/mixer_mute.h"

#include <algorithm>
#include <vector>

#include "common/handle.h"
#include "sound/saved_sound.h"
#include "sound/sound_seams.h"

namespace vnx {
namespace {

struct MixerTraits {
  using Type = HMIXER;
  static Type Invalid() { return nullptr; }
  static void Close(Type mixer) { SoundSystem().MixerClose(mixer); }
};

bool LeadsToSpeakers(DWORD targetType) {
  return targetType == MIXERLINE_TARGETTYPE_UNDEFINED || targetType == MIXERLINE_TARGETTYPE_WAVEOUT ||
         targetType == MIXERLINE_TARGETTYPE_AUX;
}

class MuteWalk {
 public:
  MuteWalk(std::uint32_t bits, std::uint32_t apply) : bits_(bits), apply_(apply) {}

  void Mixer(UINT device) {
    MIXERCAPSA caps{};
    HMIXER opened = nullptr;
    if (SoundSystem().MixerGetDevCaps(device, &caps, sizeof caps) != MMSYSERR_NOERROR) return;
    if (SoundSystem().MixerOpen(&opened, device, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) return;
    const UniqueHandle<MixerTraits> mixer(opened);
    mixer_ = reinterpret_cast<HMIXEROBJ>(opened);
    seen_.clear();
    for (DWORD destination = 0; destination < caps.cDestinations; ++destination) Destination(destination);
  }

  bool Full() const { return found_.Count >= kMaxMuteControls; }
  MuteControlStates Found() const { return found_; }

 private:
  bool LineInfo(MIXERLINEA& line, DWORD which) const {
    line.cbStruct = sizeof line;
    return SoundSystem().MixerGetLineInfo(mixer_, &line, MIXER_OBJECTF_HMIXER | which) == MMSYSERR_NOERROR;
  }

  void Destination(DWORD index) {
    MIXERLINEA destination{};
    destination.dwDestination = index;
    if (!LineInfo(destination, MIXER_GETLINEINFOF_DESTINATION) || !LeadsToSpeakers(destination.Target.dwType)) return;
    for (DWORD source = 0; source < destination.cConnections; ++source) {
      MIXERLINEA line{};
      line.dwDestination = index;
      line.dwSource = source;
      if (LineInfo(line, MIXER_GETLINEINFOF_SOURCE) && line.Target.dwType == MIXERLINE_TARGETTYPE_WAVEOUT)
        Controls(line);
    }
  }

  void Controls(const MIXERLINEA& line) {
    if (line.cControls == 0) return;
    std::vector<MIXERCONTROLA> controls(line.cControls);
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwLineID = line.dwLineID;
    query.cControls = line.cControls;
    query.cbmxctrl = sizeof(MIXERCONTROLA);
    query.pamxctrl = controls.data();
    if (SoundSystem().MixerGetLineControls(mixer_, &query, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
      return;
    for (const MIXERCONTROLA& control : controls) {
      if (Full()) return;
      if (control.dwControlType != MIXERCONTROL_CONTROLTYPE_MUTE) continue;
      if (std::find(seen_.begin(), seen_.end(), control.dwControlID) != seen_.end()) continue;
      seen_.push_back(control.dwControlID);
      MuteControl(control.dwControlID);
    }
  }

  void MuteControl(DWORD controlId) {
    MIXERCONTROLDETAILS_BOOLEAN value{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    const std::uint32_t bit = std::uint32_t{1} << found_.Count++;
    const bool read = SoundSystem().MixerGetControlDetails(
                          mixer_, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
    if (!read || value.fValue != 0) found_.States |= bit;
    if ((apply_ & bit) == 0) return;
    value.fValue = (bits_ & bit) != 0;
    SoundSystem().MixerSetControlDetails(mixer_, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
  }

  std::uint32_t bits_, apply_;
  MuteControlStates found_;
  HMIXEROBJ mixer_ = nullptr;
  std::vector<DWORD> seen_;  // control ids of the current mixer
};

}  // namespace

MuteControlStates MixerMuteControls(std::uint32_t bits, std::uint32_t apply) {
  MuteWalk walk(bits, apply);
  const UINT mixers = SoundSystem().MixerGetNumDevs();
  for (UINT device = 0; device < mixers && !walk.Full(); ++device) walk.Mixer(device);
  return walk.Found();
}

}  // namespace vnx

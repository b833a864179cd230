#include "sound/machine_mute.h"

#include <windows.h>

#include "common/handle.h"
#include "runner/frm_main.h"
#include "runner/session_holders.h"
#include "session/file_system.h"
#include "sound/mixer_mute.h"
#include "sound/saved_sound.h"
#include "sound/sound_seams.h"
#include "sound/wave_volume.h"

namespace vnx {
namespace {

constexpr std::uint32_t kAllOn = 0xFFFFFFFFu;

std::string RestoreFileIn(const std::string& workDir) { return workDir + std::string(kSoundRestoreFileName); }

// What silencing would change; nothing when the machine offers nothing to
// silence this way.
std::optional<SavedSound> ReadSound() {
  SoundSeams& sound = SoundSystem();
  SavedSound saved;
  saved.Way = MuteWayFor(sound.VersionWord());
  if (saved.Way == MuteWay::Endpoint) {
    const std::optional<std::string> endpoint = sound.DefaultRenderEndpoint();
    const std::optional<bool> muted = endpoint ? sound.GetEndpointMute(*endpoint) : std::nullopt;
    if (!muted) return std::nullopt;
    saved.EndpointId = *endpoint;
    saved.EndpointMuted = *muted;
  } else {
    saved.SavedWaveVolume = GetWaveVolume();
    const MuteControlStates controls = MixerMuteControls(0, 0);
    saved.SavedMuteStates = controls.States;
    saved.MuteControls = controls.Count;
  }
  if (!SilencingChangesSomething(saved)) return std::nullopt;
  return saved;
}

bool WriteRestoreFile(const std::string& path, const SavedSound& saved) {
  const std::string text = FormatSavedSound(saved);
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool complete = file &&
                        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size();
  if (!complete && file) DeleteFileA(path.c_str());
  return complete;
}

void Silence(const SavedSound& saved) {
  if (saved.Way == MuteWay::Endpoint) {
    SoundSystem().SetEndpointMute(saved.EndpointId, true);
    return;
  }
  MixerMuteControls(kAllOn, ControlsSwitchedOn(saved));
  if (saved.SavedWaveVolume.value_or(0) != 0) SetWaveVolume(0);
}

// Only what the mute step changed goes back: an endpoint or a control that
// was muted before, or a volume that was 0, stays as it is now.
void GiveBack(const SavedSound& saved) {
  if (saved.Way == MuteWay::Endpoint) {
    if (!saved.EndpointMuted) SoundSystem().SetEndpointMute(saved.EndpointId, false);
    return;
  }
  MixerMuteControls(0, ControlsSwitchedOn(saved));
  if (saved.SavedWaveVolume.value_or(0) != 0) SetWaveVolume(*saved.SavedWaveVolume);
}

}  // namespace

void MuteWaveOutput(TfrmMain& runner, SessionHolders& holders) {
  const std::optional<SavedSound> saved = ReadSound();
  if (!saved || !WriteRestoreFile(RestoreFileIn(runner.WorkDir), *saved)) return;
  holders.MutedSound = saved;
  Silence(*saved);
}

void RestoreWaveOutput(TfrmMain& runner, SessionHolders& holders) {
  if (!holders.MutedSound) return;
  GiveBack(*holders.MutedSound);
  holders.MutedSound.reset();
  DeleteFileA(RestoreFileIn(runner.WorkDir).c_str());
}

void GiveBackLeftSound(const std::string& directory) {
  const std::string path = RestoreFileIn(directory + "\\");
  const std::optional<std::string> text = TryReadWholeFile(path);
  if (!text) return;
  if (const std::optional<SavedSound> saved = ParseSavedSound(*text)) GiveBack(*saved);
  DeleteFileA(path.c_str());
}

}  // namespace vnx

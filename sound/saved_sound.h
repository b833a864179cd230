#pragma once
// What the mute step took from the machine's sound and the restore step
// gives back. The session keeps it from the mute step to its cleanup; it is
// also written, before anything is silenced, into a file of the working
// directory, so that a runner that dies while the machine is silent leaves
// the way back to the runner that reclaims its directory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "contract/shared_names.h"

namespace vnx {

// Up to Windows XP the wave mapper's volume and the mixers' mute controls
// are the machine's. Since Windows Vista they reach only the calling
// process's own audio session, so the projector would still be heard: there
// the default render endpoint is muted instead.
enum class MuteWay { WaveMixer, Endpoint };

// The way for a GetVersion word: NT family (high bit clear) and major
// version 6 or later take the endpoint.
MuteWay MuteWayFor(std::uint32_t versionWord);

// The saved states are one 32-bit word: the walk takes at most this many
// mute controls; further ones are neither read nor touched.
inline constexpr int kMaxMuteControls = 32;

struct SavedSound {
  MuteWay Way = MuteWay::WaveMixer;
  // The wave mapper's volume (low word left, high word right); absent when
  // it could not be read, and then it is not touched either.
  std::optional<std::uint32_t> SavedWaveVolume;
  std::uint32_t SavedMuteStates = 0;  // bit i: the i-th mute control found was on
  int MuteControls = 0;               // how many the walk found
  std::string EndpointId;             // the default render endpoint's id (UTF-8)
  bool EndpointMuted = false;         // it was muted already

  bool operator==(const SavedSound&) const = default;
};

// The mute controls that were off: the mute step switches these on and the
// restore step off again. One that was on already is left as it is, so that
// runners whose presentations overlap leave the machine as the first found it.
std::uint32_t ControlsSwitchedOn(const SavedSound& saved);

// Whether silencing changes anything at all (a volume above 0, a control
// that was off, an endpoint that was not muted).
bool SilencingChangesSomething(const SavedSound& saved);

// The restore file's text: "key=value" lines.
std::string FormatSavedSound(const SavedSound& saved);
// Nothing when the text is not a complete restore file.
std::optional<SavedSound> ParseSavedSound(std::string_view text);

}  // namespace vnx

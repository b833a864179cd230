#pragma once
// The viewer's own choices, kept per Windows user and per runner executable.
// The settings reader sees them through this small interface; the runner
// answers it from the registry, tests and the authoring tool from memory.

#include <string>

#include "session/file_system_text.h"
#include "session/settings_destinations.h"

namespace vnx {

inline constexpr char kMouseExitValue[] = "MouseExit";
inline constexpr char kAnyKeyExitValue[] = "AnyKeyExit";
inline constexpr char kMuteValue[] = "Mute";
inline constexpr char kMidiMuteValue[] = "MidiMute";
inline constexpr char kDisplayRightClickMenuValue[] = "DisplayRightClickMenu";
inline constexpr char kTempDirectoryValue[] = "Pellam Temp Directory";

// What the five choices read as while the viewer has stored nothing.
inline constexpr bool kMouseExitDefault = true;
inline constexpr bool kAnyKeyExitDefault = false;
inline constexpr bool kMuteDefault = false;
inline constexpr bool kMidiMuteDefault = false;
inline constexpr bool kDisplayRightClickMenuDefault = false;

class PerUserValues {
 public:
  virtual ~PerUserValues() = default;
  virtual bool ReadBool(const std::string& name, bool defaultValue) = 0;
  virtual std::string ReadString(const std::string& name, const std::string& defaultValue) = 0;
};

// A viewer who has stored nothing: every read gives its default.
class NoPerUserValues final : public PerUserValues {
 public:
  bool ReadBool(const std::string&, bool defaultValue) override { return defaultValue; }
  std::string ReadString(const std::string&, const std::string& defaultValue) override { return defaultValue; }
};

// The per-user values laid over the user choices whose UserChoice is set, in
// the order Interaction, Sound, Midi, RightClickMenu, KeyInteraction; then
// the right-click menu can be switched only while mouse interaction is on.
void ApplyPerUserChoices(const SettingsDestinations& settings, PerUserValues& values);

}  // namespace vnx

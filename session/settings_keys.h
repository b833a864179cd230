#pragma once
// The vocabulary of the presentation settings file: sections, keys, kinds and
// defaults. The tables list their keys in the order the reader takes them.

#include <array>
#include <cstdint>

#include "session/settings_destinations.h"

namespace vnx {

inline constexpr char kProjectorVersionSection[] = "ProjectorVersion";
inline constexpr char kEngineCommandsSection[] = "EngineCommands";
inline constexpr char kRightMenuDeleteItemsSection[] = "RightMenuDeleteItems";
inline constexpr char kSettingsSection[] = "Settings";

inline constexpr char kDefaultPasswordLabel[] = "Please enter password:";
inline constexpr char kDefaultWrongPassword[] = "Wrong password!";

// A plain integer of section "Settings".
struct IntegerKey {
  const char* Key;
  std::int32_t Default;
  std::int32_t* SettingsDestinations::*Destination;
};

// An on/off switch: 1 sets it, anything else leaves it off; a missing key
// gives the default.
struct SwitchKey {
  const char* Key;
  std::int32_t Default;
  TUserChoice* SettingsDestinations::*Destination;
};

// A user choice: 0 and 1 fix Value (ValueForZero for 0, the opposite for 1);
// any other value leaves the choice to the viewer.
struct UserChoiceKey {
  const char* Key;
  std::int32_t Default;
  bool ValueForZero;
  TUserChoice* SettingsDestinations::*Destination;
};

// "DLL" to "MinimizeMenu", after "CurrentDir".
extern const std::array<SwitchKey, 16> kSwitchKeys;
// "Left" to "MidiLoopTimes", after the switches.
extern const std::array<IntegerKey, 7> kWindowKeys;
// "Midi" to "KeyInteraction", last.
extern const std::array<UserChoiceKey, 6> kUserChoiceKeys;

}  // namespace vnx

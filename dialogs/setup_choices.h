#pragma once
// The Setup dialog's decisions, apart from its window: where the check boxes
// of the viewer's choices sit once hidden ones leave their rows, and how the
// five choices are stored with the news whether any of them changed.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "session/user_choice.h"

namespace vnx {

// A check box's place in dialog client pixels and whether it is shown.
struct CheckBoxPlace {
  bool Shown = false;
  std::int32_t Left = 0, Top = 0;
};

// The left column holds Interaction, RightClickMenu and KeyInteraction, the
// right one Sound and Midi, each from the top.
struct SetupCheckBoxes {
  CheckBoxPlace Interaction, RightClickMenu, KeyInteraction, Sound, Midi;
};

// The shown boxes of each column move up into the rows of hidden ones; with
// nothing shown on the left, the right column moves over to the left.
void CloseCheckBoxGaps(SetupCheckBoxes& boxes);

struct StoredChoice {
  const char* Name;  // the per-user value
  bool Value;
};
using StoredChoices = std::array<StoredChoice, 5>;

// The five per-user values in the order they are saved, from the effective
// choices: "MouseExit", "AnyKeyExit", "Mute", "MidiMute", "DisplayRightClickMenu".
StoredChoices ChoicesToStore(const TUserChoice& interaction, const TUserChoice& keyInteraction,
                             const TUserChoice& sound, const TUserChoice& midi, const TUserChoice& rightClickMenu);

// Reads every stored value (with the new value as its default, so an absent
// one is no change), then writes all five in order. True when a stored value
// differed from the new one.
bool SaveChoices(const StoredChoices& choices, const std::function<bool(const std::string&, bool)>& readBool,
                 const std::function<void(const std::string&, bool)>& writeBool);

}  // namespace vnx

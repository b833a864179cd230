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
  const char* Name;    // the per-user value
  bool Value;          // to be stored: the choice as the dialog leaves it
  bool Default;        // what the value reads as while nothing is stored
  bool ViewersChoice;  // the presentation leaves this choice to the viewer
};
using StoredChoices = std::array<StoredChoice, 5>;

// The five per-user values in the order they are saved, from the effective
// choices: "MouseExit", "AnyKeyExit", "Mute", "MidiMute", "DisplayRightClickMenu".
StoredChoices ChoicesToStore(const TUserChoice& interaction, const TUserChoice& keyInteraction,
                             const TUserChoice& sound, const TUserChoice& midi, const TUserChoice& rightClickMenu);

// Reads every stored value, then writes all five in order, those of the
// choices the presentation fixes as it fixes them. True when the viewer's
// stored choices now say something else than before: a value read as its
// default counts as that default, so a choice changed on a first run is a
// change too, and the untouched ones are not; the values of fixed choices
// are never used, so they change nothing.
bool SaveChoices(const StoredChoices& choices, const std::function<bool(const std::string&, bool)>& readBool,
                 const std::function<void(const std::string&, bool)>& writeBool);

}  // namespace vnx

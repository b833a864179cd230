#include "dialogs/setup_choices.h"

#include "session/per_user_values.h"

namespace vnx {

void CloseCheckBoxGaps(SetupCheckBoxes& b) {
  if (!b.Interaction.Shown && !b.RightClickMenu.Shown && !b.KeyInteraction.Shown) {
    b.Sound.Left = b.RightClickMenu.Left;
    b.Midi.Left = b.Interaction.Left;
  }
  if (!b.Interaction.Shown) {
    b.KeyInteraction.Top = b.RightClickMenu.Top;
    b.RightClickMenu.Top = b.Interaction.Top;
  }
  if (!b.RightClickMenu.Shown) b.KeyInteraction.Top = b.RightClickMenu.Top;
  if (!b.Sound.Shown) b.Midi.Top = b.Sound.Top;
}

StoredChoices ChoicesToStore(const TUserChoice& interaction, const TUserChoice& keyInteraction,
                             const TUserChoice& sound, const TUserChoice& midi, const TUserChoice& rightClickMenu) {
  return {
      {{kMouseExitValue, !interaction.Value, kMouseExitDefault, interaction.UserChoice},
       {kAnyKeyExitValue, !keyInteraction.Value, kAnyKeyExitDefault, keyInteraction.UserChoice},
       {kMuteValue, sound.Value, kMuteDefault, sound.UserChoice},
       {kMidiMuteValue, midi.Value, kMidiMuteDefault, midi.UserChoice},
       {kDisplayRightClickMenuValue, rightClickMenu.Value, kDisplayRightClickMenuDefault, rightClickMenu.UserChoice}}};
}

bool SaveChoices(const StoredChoices& choices, const std::function<bool(const std::string&, bool)>& readBool,
                 const std::function<void(const std::string&, bool)>& writeBool) {
  bool changed = false;
  for (const StoredChoice& choice : choices) {
    const bool stored = readBool(choice.Name, choice.Default);
    changed |= choice.ViewersChoice && stored != choice.Value;
  }
  for (const StoredChoice& choice : choices) writeBool(choice.Name, choice.Value);
  return changed;
}

}  // namespace vnx

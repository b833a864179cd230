#include "session/per_user_values.h"

namespace vnx {

void ApplyPerUserChoices(const SettingsDestinations& settings, PerUserValues& values) {
  if (settings.Interaction->UserChoice)
    settings.Interaction->Value = !values.ReadBool(kMouseExitValue, kMouseExitDefault);
  if (settings.Sound->UserChoice) settings.Sound->Value = values.ReadBool(kMuteValue, kMuteDefault);
  if (settings.Midi->UserChoice) settings.Midi->Value = values.ReadBool(kMidiMuteValue, kMidiMuteDefault);
  if (settings.RightClickMenu->UserChoice)
    settings.RightClickMenu->Value = values.ReadBool(kDisplayRightClickMenuValue, kDisplayRightClickMenuDefault);
  if (settings.KeyInteraction->UserChoice)
    settings.KeyInteraction->Value = !values.ReadBool(kAnyKeyExitValue, kAnyKeyExitDefault);
  settings.RightClickMenu->ChoiceEnabled = settings.Interaction->Value;
}

}  // namespace vnx

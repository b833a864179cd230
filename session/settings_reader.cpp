#include "session/settings_reader.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "session/exe_name.h"
#include "session/settings_keys.h"

namespace vnx {
namespace {

void PresetUserChoices(const SettingsDestinations& s) {
  for (TUserChoice* choice : {s.Interaction, s.Sound, s.Midi, s.KeyInteraction}) {
    choice->UserChoice = true;
    choice->ChoiceEnabled = true;
  }
  s.RightClickMenu->UserChoice = true;
  s.RightClickMenu->ChoiceEnabled = false;
}

void ReadRightMenuDeleteItems(const IniFile& file, RightMenuDeleteList& items) {
  items.fill(0);
  const std::int32_t count = file.ReadInteger(kRightMenuDeleteItemsSection, "Count", 0);
  const std::int32_t stored = std::min<std::int32_t>(count, kRightMenuDeleteItemCount);
  for (std::int32_t i = 0; i < stored; ++i)
    items[static_cast<std::size_t>(i)] = file.ReadInteger(kRightMenuDeleteItemsSection, std::to_string(i), 0);
}

void ReadSwitch(const IniFile& file, const SwitchKey& key, TUserChoice& record) {
  record.Value = file.ReadInteger(kSettingsSection, key.Key, key.Default) == 1;
}

void ReadUserChoice(const IniFile& file, const UserChoiceKey& key, TUserChoice& record) {
  const std::int32_t value = file.ReadInteger(kSettingsSection, key.Key, key.Default);
  if (value == 0 || value == 1) {
    record.UserChoice = false;
    record.Value = (value == 0) == key.ValueForZero;
  } else {
    record.UserChoice = true;
  }
}

// The settings file is read in the pass directory, which then goes with
// everything in it, also when the extraction or the reading failed.
void ReadInPassDirectory(const SettingsDestinations& settings, const SettingsPassContext& context,
                         const std::string& passDir) {
  std::optional<std::string> text;
  try {
    context.ExtractSettingsFiles(passDir);
    if (!context.SettingsFileName->empty()) text = context.ReadSettingsFile(passDir + *context.SettingsFileName);
  } catch (...) {
    context.RemovePassDirectory(passDir);
    throw;
  }
  context.RemovePassDirectory(passDir);
  if (text) ApplySettingsFile(IniFile(*text), settings, context.ExeFileName);
}

}  // namespace

void ApplySettingsFile(const IniFile& file, const SettingsDestinations& s, std::string_view exeFileName) {
  PresetUserChoices(s);
  *s.Major = file.ReadInteger(kProjectorVersionSection, "Major", 4);
  *s.BeforeShow = file.ReadString(kEngineCommandsSection, "BeforeShow", "");
  *s.ScreenName = file.ReadString(kSettingsSection, "Pellam Screen Name", ExeStemOf(exeFileName));
  *s.Password = file.ReadInteger(kSettingsSection, "Password", 1) == 1;
  *s.AlignmentX = file.ReadInteger(kSettingsSection, "AlignmentX", 0);
  *s.PWEditLabel = file.ReadString(kSettingsSection, "PWEditLabel", kDefaultPasswordLabel);
  *s.PWrong = file.ReadString(kSettingsSection, "PWrong", kDefaultWrongPassword);
  *s.HideCursor = file.ReadInteger(kSettingsSection, "HideCursor", 0) != 0;
  ReadRightMenuDeleteItems(file, *s.RightMenuDeleteItems);
  *s.CurrentDir = file.ReadInteger(kSettingsSection, "CurrentDir", 0);
  for (const SwitchKey& key : kSwitchKeys) ReadSwitch(file, key, *(s.*key.Destination));
  for (const IntegerKey& key : kWindowKeys)
    *(s.*key.Destination) = file.ReadInteger(kSettingsSection, key.Key, key.Default);
  for (const UserChoiceKey& key : kUserChoiceKeys) ReadUserChoice(file, key, *(s.*key.Destination));
}

void ReadSettings(const SettingsDestinations& settings, const SettingsPassContext& context) {
  std::exception_ptr failure;
  *context.SettingsPass = true;
  try {
    const std::string baseDir = context.TempBase();
    context.SettingsFileName->clear();
    ReadInPassDirectory(settings, context, context.CreatePassDirectory(baseDir));
  } catch (...) {
    failure = std::current_exception();
  }
  *context.SettingsPass = false;
  try {
    ApplyPerUserChoices(settings, *context.PerUser);
  } catch (...) {
    if (!failure) failure = std::current_exception();  // the first failure is the one reported
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vnx

#pragma once
// Reading the presentation settings: the settings pass extracts the
// session's ".ini" file into a directory of this process below the temporary
// base directory, the file is read into the caller's destinations and
// deleted with its directory, and the per-user values are laid over the
// choices the presentation leaves to the viewer.

#include <functional>
#include <string>
#include <string_view>

#include "session/file_system_text.h"
#include "session/ini_file.h"
#include "session/per_user_values.h"
#include "session/settings_destinations.h"

namespace vnx {

// Presets the user choices, then reads every key of the file in order.
void ApplySettingsFile(const IniFile& file, const SettingsDestinations& settings, std::string_view exeFileName);

// What the settings pass needs from the main form and from the system.
struct SettingsPassContext {
  bool* SettingsPass = nullptr;             // the main form's flag, set while the pass runs
  std::string* SettingsFileName = nullptr;  // set by the per-file handler
  std::string ExeFileName;                  // in the code page: gives the default screen name
  PerUserValues* PerUser = nullptr;
  LeadBytePredicate IsLeadByte = NoLeadBytes;
  // The temporary base directory, with its trailing "\"; raises when there
  // is none the runner can use.
  std::function<std::string()> TempBase;
  // A directory of this process alone below the base directory, returned
  // with its trailing "\": runners started together never share a settings
  // file. It is removed after the pass with everything written into it.
  std::function<std::string(const std::string& baseDir)> CreatePassDirectory;
  std::function<void(const std::string& passDir)> RemovePassDirectory;
  // Extracts the session into the pass directory with the per-file handler
  // in its settings pass, so that only ".ini" files are written there.
  std::function<void(const std::string& passDir)> ExtractSettingsFiles;
  // The whole file; raises EFOpenError when it cannot be opened.
  std::function<std::string(const std::string& path)> ReadSettingsFile;
};

// The whole settings pass. The per-user values are applied in every case;
// a failure of the extraction or of the reading is raised afterwards.
void ReadSettings(const SettingsDestinations& settings, const SettingsPassContext& context);

}  // namespace vnx

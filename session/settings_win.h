#pragma once
// The settings pass on Windows: the system's temporary-files path, a pass
// directory of this process and the real settings file, around the caller's
// flag and file name. The caller adds the extraction through its session
// reader.

#include <string>

#include "contract/shared_names.h"
#include "session/per_user_values.h"
#include "session/settings_reader.h"

namespace vnx {

// GetTempPath, at most 260 characters.
std::string SystemTempPath();
// The whole file; raises EFOpenError when it cannot be opened.
std::string ReadFileOrRaise(const std::string& path);

SettingsPassContext WindowsSettingsPass(bool& settingsPass, std::string& settingsFileName, std::string exeFileName,
                                        PerUserValues& perUser);

}  // namespace vnx

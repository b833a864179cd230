#pragma once
// The settings pass on Windows: a pass directory of this process and the real
// settings file, around the caller's flag and file name. The caller adds the
// temporary base directory and the extraction through its session reader.

#include <string>

#include "contract/shared_names.h"
#include "session/per_user_values.h"
#include "session/settings_reader.h"

namespace vnx {

// The whole file; raises EFOpenError when it cannot be opened.
std::string ReadFileOrRaise(const std::string& path);

SettingsPassContext WindowsSettingsPass(bool& settingsPass, std::string& settingsFileName, std::string exeFileName,
                                        PerUserValues& perUser);

}  // namespace vnx

#pragma once
// The settings pass on Windows: the main form's flag and file name, the
// system's temporary-files path and the real settings file. The caller adds
// the extraction through the main form's session reader.

#include <string>

#include "session/per_user_values.h"
#include "session/settings_reader.h"

namespace vnx {

// The settings pass's directory below the temporary base directory is this
// name followed by the decimal process id.
inline constexpr char kSettingsPassDirectoryName[] = "Vnx_Ini";

class TfrmMain;

// GetTempPath, at most 260 characters.
std::string SystemTempPath();
// The whole file; raises EFOpenError when it cannot be opened.
std::string ReadFileOrRaise(const std::string& path);

SettingsPassContext MainFormSettingsPass(TfrmMain& form, PerUserValues& perUser);

}  // namespace vnx

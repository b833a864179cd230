#include "session/settings_win.h"

#include <windows.h>

#include "common/errors.h"
#include "session/file_system.h"

namespace vnx {
namespace {

// Named after the process: process ids are unique among running processes,
// and one process runs its settings passes one after the other. One left by
// a dead process of the same id holds nothing anyone needs.
std::string CreateSettingsPassDirectory(const std::string& baseDir) {
  const std::string directory = baseDir + kSettingsPassDirectoryName + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(directory.c_str(), nullptr);  // a failure surfaces as the failure to write into it
  return directory + "\\";
}

}  // namespace

std::string ReadFileOrRaise(const std::string& path) {
  auto bytes = TryReadWholeFile(path);
  if (!bytes) throw EFOpenError(path);
  return std::move(*bytes);
}

SettingsPassContext WindowsSettingsPass(bool& settingsPass, std::string& settingsFileName, std::string exeFileName,
                                        PerUserValues& perUser) {
  SettingsPassContext context;
  context.SettingsPass = &settingsPass;
  context.SettingsFileName = &settingsFileName;
  context.ExeFileName = std::move(exeFileName);
  context.PerUser = &perUser;
  context.IsLeadByte = SystemLeadByte;
  context.CreatePassDirectory = CreateSettingsPassDirectory;
  context.RemovePassDirectory = RemoveDirectoryWithFiles;
  context.ReadSettingsFile = ReadFileOrRaise;
  return context;
}

}  // namespace vnx

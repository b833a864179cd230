#include "session/settings_win.h"

#include <windows.h>

#include "common/errors.h"
#include "runner/frm_main.h"
#include "session/file_system.h"

namespace vnx {

std::string SystemTempPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH, path);
  return length > 0 && length <= MAX_PATH ? std::string(path, length) : std::string();
}

std::string ReadFileOrRaise(const std::string& path) {
  auto bytes = TryReadWholeFile(path);
  if (!bytes) throw EFOpenError(path);
  return std::move(*bytes);
}

SettingsPassContext MainFormSettingsPass(TfrmMain& form, PerUserValues& perUser) {
  SettingsPassContext context;
  context.SettingsPass = &form.SettingsPass;
  context.SettingsFileName = &form.SettingsFileName;
  context.ExeFileName = form.ExeFileName;
  context.PerUser = &perUser;
  context.IsLeadByte = SystemLeadByte;
  context.SystemTempPath = SystemTempPath();
  context.ReadSettingsFile = ReadFileOrRaise;
  context.DeleteSettingsFile = [](const std::string& path) { DeleteFileA(path.c_str()); };
  return context;
}

}  // namespace vnx

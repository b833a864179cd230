#include "session/nameable_directory_win.h"

#include <windows.h>

#include "common/errors.h"
#include "common/system_text.h"
#include "session/file_system.h"
#include "session/per_user_values.h"

namespace vnx {

DirectoryNames NamesOfDirectory(const std::wstring& path) {
  DirectoryNames names;
  names.Whole = Utf8FromWide(path);
  names.Exact = CodePageExactly(path);
  if (!names.Exact) {
    const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring shortPath(length, L'\0');
    if (length > 0 && GetShortPathNameW(path.c_str(), shortPath.data(), length) == length - 1) {
      shortPath.resize(length - 1);
      names.Short = CodePageExactly(shortPath);
    }
  }
  return names;
}

std::wstring SystemTempDirectory() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::string TempBaseDirectory(const TRegIniFile& perUser, const std::string& programStem) {
  std::optional<DirectoryNames> viewers;
  if (const auto value = perUser.ReadWholeString(programStem, kTempDirectoryValue)) viewers = NamesOfDirectory(*value);
  const std::string key =
      "HKEY_CURRENT_USER\\" + std::string(kPerUserKey) + (programStem.empty() ? std::string() : "\\" + programStem);
  const TempBaseChoice choice = ChooseTempBase(viewers, NamesOfDirectory(SystemTempDirectory()), key, SystemLeadByte);
  if (!choice.Directory) throw EWholeMessage(choice.Message);
  return *choice.Directory;
}

}  // namespace vnx

#pragma once
// The Win32 half of session/nameable_directory.h: a directory's names as the
// system gives them, and the temporary base directory of this runner.

#include <string>

#include "session/nameable_directory.h"
#include "session/reg_ini_file.h"

namespace vnx {

// The directory's whole name, its name in the code page and its short form
// there (the short form only of a directory that exists).
DirectoryNames NamesOfDirectory(const std::wstring& path);
// The system's temporary directory (GetTempPathW), with its trailing "\".
std::wstring SystemTempDirectory();
// The nameable temporary base directory of the executable whose per-user
// values lie in the section programStem (its whole stem, UTF-8), with a
// trailing "\". Raises EWholeMessage when there is none.
std::string TempBaseDirectory(const TRegIniFile& perUser, const std::string& programStem);

}  // namespace vnx

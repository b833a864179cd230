#include "projector/program_files.h"

#include <windows.h>

#include <stdexcept>

#include "common/errors.h"
#include "common/handle.h"
#include "common/system_text.h"

namespace vnx {

std::string ProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw ERunnerError("Cannot find the projector's own file name");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
  const std::wstring directory = path.substr(0, path.find_last_of(L"\\/") + 1);
  // Started by the short form of its path, a program may be told the long
  // form (Wine does so); where the code page cannot write that, the short
  // form opens the files beside it.
  if (const auto exact = CodePageExactly(directory)) return *exact;
  std::wstring shortForm(MAX_PATH, L'\0');
  const DWORD length = GetShortPathNameW(directory.c_str(), shortForm.data(), MAX_PATH);
  return CodePageRendering(length > 0 && length < MAX_PATH ? shortForm.substr(0, length) : directory);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return std::nullopt;
  if (size > kSmallFileLimit) throw ERunnerError(path + " is larger than 64 KiB");
  std::string text(size, '\0');
  DWORD read = 0;
  if (size > 0 && !ReadFile(file.get(), text.data(), size, &read, nullptr)) throw EReadError();
  text.resize(read);
  return text;
}

}  // namespace vnx

#include "projector/program_files.h"

#include <windows.h>

#include <stdexcept>

#include "common/errors.h"
#include "common/handle.h"

namespace vnx {

std::string ProgramDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw ERunnerError("Cannot find the projector's own file name");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
  return path.substr(0, path.find_last_of("\\/") + 1);
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

// The working-directory claim on the real file system.

#include <windows.h>

#include "runner/shell_delete.h"
#include "runner/work_dir_claim.h"
#include "session/file_system.h"

namespace vnx {

std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance) {
  static const WorkDirOperations operations{
      [](const std::string& directory) {
        using Created = WorkDirOperations::Created;
        if (CreateDirectoryA(directory.c_str(), nullptr)) return Created::Yes;
        return GetLastError() == ERROR_ALREADY_EXISTS ? Created::AlreadyExists : Created::Failed;
      },
      [](const std::string& directory) { return TreeNotInUse(directory); },
      [](const std::string& directory) { return ShellDelete(directory, kQuietDelete); },
  };
  return ClaimWorkDir(operations, tempBase, instance);
}

}  // namespace vnx

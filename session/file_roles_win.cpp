#include "session/file_roles_win.h"

#include <windows.h>

#include <utility>

#include "session/file_system.h"

namespace vnx {

bool ExistsAndCannotBeDeleted(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(path.c_str());
}

FileRoleEnvironment Win32FileRoleEnvironment(std::function<bool(const std::string&)> placementIsSafe) {
  FileRoleEnvironment environment;
  environment.IsLeadByte = SystemLeadByte;
  environment.ExistsAndCannotBeDeleted = ExistsAndCannotBeDeleted;
  environment.CreateDirectoryTree = [](const std::string& path) { CreateDirectoryTree(path); };
  environment.CreateOneDirectory = [](const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); };
  environment.PlacementIsSafe = std::move(placementIsSafe);
  return environment;
}

}  // namespace vnx

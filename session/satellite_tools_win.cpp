#include "session/satellite_tools_win.h"

#include <windows.h>

#include "session/file_system.h"

namespace vnx {

std::optional<std::string> Win32SatelliteFileOps::ReadWhole(const std::string& path) { return TryReadWholeFile(path); }

bool Win32SatelliteFileOps::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

DeleteResult Win32SatelliteFileOps::Delete(const std::string& path) {
  if (DeleteFileA(path.c_str())) return DeleteResult::Deleted;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? DeleteResult::Missing : DeleteResult::Failed;
}

void Win32SatelliteFileOps::RemoveDir(const std::string& path) { RemoveDirectoryA(path.c_str()); }

void Win32SatelliteFileOps::Wait(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void SetUpSatelliteTools(std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                         const std::string& targetDir) {
  Win32SatelliteFileOps ops;
  SetUpSatelliteTools(toolFiles, toolPrograms, targetDir, ops, SystemLeadByte);
}

void RemoveSatelliteTools(const std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms) {
  Win32SatelliteFileOps ops;
  RemoveSatelliteTools(toolFiles, toolPrograms, ops, SystemLeadByte);
}

void RemoveCreatedSubdirs(const std::vector<std::string>& createdSubdirs, const std::string& targetDir) {
  Win32SatelliteFileOps ops;
  RemoveCreatedSubdirs(createdSubdirs, targetDir, ops, SystemLeadByte);
}

}  // namespace vnx

#pragma once
// Satellite tools on the real file system.

#include <string>
#include <vector>

#include "session/satellite_tools.h"

namespace vnx {

class Win32SatelliteFileOps final : public SatelliteFileOps {
 public:
  std::optional<std::string> ReadWhole(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  DeleteResult Delete(const std::string& path) override;
  void RemoveDir(const std::string& path) override;
  void Wait(int milliseconds) override;
};

void SetUpSatelliteTools(std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                         const std::string& targetDir);
void RemoveSatelliteTools(const std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms);
void RemoveCreatedSubdirs(const std::vector<std::string>& createdSubdirs, const std::string& targetDir);

}  // namespace vnx

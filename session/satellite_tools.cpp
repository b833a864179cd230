#include "session/satellite_tools.h"

#include "common/errors.h"
#include "session/ini_file.h"

namespace vnx {
namespace {

constexpr char kToolSettingsName[] = "ptools.ini";
constexpr char kSatellitePlacementPrefix[] = "PTOOL.SATELLITE:";

std::string FirstLineOf(const std::string& settingsPath, SatelliteFileOps& ops) {
  const auto text = ops.ReadWhole(settingsPath);
  if (!text) throw EFOpenError(settingsPath);
  const auto lines = SplitLines(*text);
  if (lines.empty()) throw EListError(0);
  return lines.front();
}

void SetUpTool(const std::string& toolDir, std::vector<std::string>& toolFiles,
               const std::vector<ToolProgram>& toolPrograms, const std::string& targetDir, SatelliteFileOps& ops,
               LeadBytePredicate isLead) {
  const std::string settingsPath = toolDir + kToolSettingsName;
  const auto name = ToolNameOf(FirstLineOf(settingsPath, ops));
  if (!name) return;  // not a bracketed name: the directory stays as it is
  const std::string program = "P" + *name + ".EXE";
  if (!IsPlainName(program, isLead))
    throw EPlacementError("Tool name \"" + *name + "\" in " + settingsPath + " is not a plain file name");

  ops.Copy(WithTrailingBackslash(targetDir, isLead) + program, toolDir + program);
  toolFiles.push_back(toolDir + program);

  const std::string satellitePlacement = kSatellitePlacementPrefix + UpperCaseName(program, isLead);
  for (const ToolProgram& file : toolPrograms) {
    if (file.Placement != satellitePlacement) continue;
    const std::string copy = toolDir + NameOf(file.Path, isLead);
    ops.Copy(file.Path, copy);
    toolFiles.push_back(copy);
  }
}

}  // namespace

std::optional<std::string> ToolNameOf(const std::string& firstLine) {
  if (firstLine.size() <= 2 || firstLine.front() != '[' || firstLine.back() != ']') return std::nullopt;
  return firstLine.substr(1, firstLine.size() - 2);
}

void SetUpSatelliteTools(std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                         const std::string& targetDir, SatelliteFileOps& ops, LeadBytePredicate isLead) {
  for (std::size_t i = toolFiles.size(); i-- > 0;) {
    const std::string entry = toolFiles[i];  // the list grows while we walk
    if (EndsWithBackslash(entry, isLead)) SetUpTool(entry, toolFiles, toolPrograms, targetDir, ops, isLead);
  }
}

void RemoveSatelliteTools(const std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                          SatelliteFileOps& ops, LeadBytePredicate isLead) {
  for (auto entry = toolFiles.rbegin(); entry != toolFiles.rend(); ++entry) {
    if (EndsWithBackslash(*entry, isLead))
      ops.RemoveDir(WithoutTrailingBackslash(*entry, isLead));
    else
      DeleteWithRetries(*entry, ops);
  }
  for (auto file = toolPrograms.rbegin(); file != toolPrograms.rend(); ++file) DeleteWithRetries(file->Path, ops);
}

void RemoveCreatedSubdirs(const std::vector<std::string>& createdSubdirs, const std::string& targetDir,
                          SatelliteFileOps& ops, LeadBytePredicate isLead) {
  const std::string base = WithTrailingBackslash(targetDir, isLead);
  for (auto subdir = createdSubdirs.rbegin(); subdir != createdSubdirs.rend(); ++subdir) {
    for (std::string level = WithoutTrailingBackslash(*subdir, isLead); !level.empty();
         level = BeforeLastBackslash(level, isLead))
      ops.RemoveDir(base + level);
  }
}

bool DeleteWithRetries(const std::string& path, SatelliteFileOps& ops) {
  for (int attempt = 1;; ++attempt) {
    if (ops.Delete(path) != DeleteResult::Failed) return true;
    if (attempt == kToolDeleteAttempts) return false;
    ops.Wait(kToolDeletePauseMs);
  }
}

}  // namespace vnx

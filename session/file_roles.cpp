#include "session/file_roles.h"

#include <algorithm>
#include <string_view>

namespace vnx {
namespace {

constexpr std::string_view kToolSettingsSuffix = ".ptools.ini";
constexpr std::string_view kToolPlacementPrefix = "PTOOL.";  // letter case counts
constexpr char kToolSettingsName[] = "ptools.ini";

struct HandlerCall {
  const FileRoleFields& fields;
  const FileRoleEnvironment& environment;
  const std::string& targetDir;
  const std::string& placement;
  const std::string storedName;  // as the session holds it, for messages
  std::string& fileName;
  std::string& destinationDir;
  bool& skip;

  std::string Slashed(std::string_view path) const { return WithTrailingBackslash(path, environment.IsLeadByte); }
};

// From the last "." on; the name is already lower-case.
std::string ExtensionOf(const std::string& name) {
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool IsToolSettingsFile(const std::string& name) {
  return name.size() > kToolSettingsSuffix.size() && name.ends_with(kToolSettingsSuffix);
}

// The name with the counter before its extension; the name itself for a
// counter of 0 unless the counter is always written.
std::string NumberedName(const std::string& name, std::int64_t counter, bool alwaysNumbered) {
  if (counter == 0 && !alwaysNumbered) return name;
  const auto dot = name.rfind('.');
  const std::size_t cut = dot == std::string::npos ? name.size() : dot;
  return name.substr(0, cut) + std::to_string(counter) + name.substr(cut);
}

// The first numbered name from the instance slot on that is free: no file of
// that name, or one that could be deleted. A name locked by another running
// instance moves on to the next number and never stops the extraction.
std::string FreeNumberedName(const HandlerCall& call, bool alwaysNumbered) {
  const std::string directory = call.Slashed(call.destinationDir);
  for (std::int64_t counter = *call.fields.InstanceSlot;; ++counter) {
    std::string candidate = NumberedName(call.fileName, counter, alwaysNumbered);
    if (!call.environment.ExistsAndCannotBeDeleted(directory + candidate)) return candidate;
  }
}

bool ContainsSubdir(const std::vector<std::string>& subdirs, const std::string& placement, LeadBytePredicate isLead) {
  const std::string wanted = LowerCaseName(placement, isLead);
  return std::any_of(subdirs.begin(), subdirs.end(),
                     [&](const std::string& subdir) { return LowerCaseName(subdir, isLead) == wanted; });
}

// A placement of "." or a subdirectory: an ordinary file, whatever its
// extension, written where the placement says.
void PlaceOrdinaryFile(HandlerCall& call) {
  if (call.placement != ".") {
    if (!call.environment.PlacementIsSafe(call.placement))
      throw EPlacementError("Placement \"" + call.placement + "\" of file " + call.storedName +
                            " leaves the target directory");
    call.destinationDir = call.Slashed(call.targetDir) + call.placement;
    if (!ContainsSubdir(*call.fields.CreatedSubdirs, call.placement, call.environment.IsLeadByte)) {
      call.environment.CreateDirectoryTree(call.destinationDir);
      call.fields.CreatedSubdirs->push_back(call.placement);
    }
    call.destinationDir = call.Slashed(call.destinationDir);
  }
  call.fields.ExtraFiles->push_back(call.Slashed(call.destinationDir) + call.fileName);
}

// stem.ptools.ini becomes stem\ptools.ini, the settings file of tool "stem".
void PlaceToolSettingsFile(HandlerCall& call) {
  const std::string stem = call.fileName.substr(0, call.fileName.size() - kToolSettingsSuffix.size());
  if (!IsPlainName(stem, call.environment.IsLeadByte))
    throw EPlacementError("Tool directory \"" + stem + "\" of file " + call.storedName +
                          " is not a plain directory name");
  const std::string toolDir = call.Slashed(call.targetDir) + stem;
  call.destinationDir = toolDir + "\\";
  call.fileName = kToolSettingsName;
  call.fields.ToolFiles->push_back(toolDir + "\\");
  call.fields.ToolFiles->push_back(toolDir + "\\" + kToolSettingsName);
  call.environment.CreateOneDirectory(toolDir);
}

void HandleByExtension(HandlerCall& call, const std::string& extension, bool toolPlacement) {
  const FileRoleFields& f = call.fields;
  if (extension == ".ini") {  // only the settings pass gets here with one
    *f.SettingsFileName = call.fileName;
  } else if (toolPlacement) {
    f.ToolPrograms->push_back({call.Slashed(call.destinationDir) + call.fileName, call.placement});
  } else if (extension == ".exe") {
    *f.ProjectorSourceName = call.fileName;
    call.fileName = FreeNumberedName(call, false);
    *f.ProjectorFile = call.fileName;
  } else if (extension == ".dll") {
    call.fileName = FreeNumberedName(call, true);
    *f.EngineFile = call.fileName;
  } else if (extension == ".mid" || extension == ".rmi") {
    if (f.Midi->Value)
      call.skip = true;  // muted music is not even written
    else
      *f.MusicFile = call.fileName;
  } else {
    f.ExtraFiles->push_back(call.Slashed(call.destinationDir) + call.fileName);
  }
}

}  // namespace

void HandleExtractedFile(const FileRoleFields& fields, const FileRoleEnvironment& environment,
                         const std::string& targetDir, const std::string& placement, std::string& fileName,
                         std::string& destinationDir, bool& skip) {
  if (*fields.ProbePass) {  // the probe writes nothing
    if (!*fields.SettingsPass && !placement.empty()) *fields.PlacementSeen = true;
    skip = true;
    return;
  }
  HandlerCall call{fields, environment, targetDir, placement, fileName, fileName, destinationDir, skip};
  fileName = LowerCaseName(fileName, environment.IsLeadByte);
  const std::string extension = ExtensionOf(fileName);
  const bool settingsPass = *fields.SettingsPass;
  const bool toolPlacement = placement.starts_with(kToolPlacementPrefix);

  if (!settingsPass && !placement.empty() && !toolPlacement) return PlaceOrdinaryFile(call);
  if (IsToolSettingsFile(fileName)) {
    if (settingsPass)
      skip = true;
    else
      PlaceToolSettingsFile(call);
    return;
  }
  skip = settingsPass ? extension != ".ini" : extension == ".ini";
  if (!skip) HandleByExtension(call, extension, toolPlacement);
}

void ClearForMainPass(const FileRoleFields& fields) {
  fields.ExtraFiles->clear();
  fields.CreatedSubdirs->clear();
  fields.ToolFiles->clear();
  fields.ToolPrograms->clear();
  fields.ProjectorFile->clear();
  fields.EngineFile->clear();
  fields.MusicFile->clear();
}

bool DecideUseCurrentDir(std::int32_t currentDir, const std::function<bool()>& runProbePass) {
  switch (currentDir) {
    case 0: return !runProbePass();
    case 2: return true;
    default: return false;
  }
}

}  // namespace vnx

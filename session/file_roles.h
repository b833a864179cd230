#pragma once
// The per-file handler: the session reader asks it, file by file, whether to
// write the file, under which name and where. The role of a file follows from
// its name, its extension and its placement; what was written is recorded in
// the main form so that start-up finds the projector, the engine library, the
// music and the settings file, and shutdown can delete everything again.
// The decisions are portable; the few file-system questions and actions are
// answered by the environment (the Win32 one in session/file_roles_win.h).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "session/file_system_text.h"
#include "session/user_choice.h"

namespace vnx {

// A file with a "PTOOL." placement, with that placement attached.
struct ToolProgram {
  std::string Path;
  std::string Placement;
};

// A subdirectory placement (or a tool name) that would put a file outside
// the target directory.
class EPlacementError : public ERunnerError {
 public:
  using ERunnerError::ERunnerError;
};

// The main form's fields the handler reads and writes.
struct FileRoleFields {
  bool* SettingsPass;
  bool* ProbePass;
  bool* PlacementSeen;
  const std::int32_t* InstanceSlot;
  const TUserChoice* Midi;  // Value: music muted
  std::string* SettingsFileName;
  std::string* ProjectorSourceName;
  std::string* ProjectorFile;
  std::string* EngineFile;
  std::string* MusicFile;
  std::vector<std::string>* ExtraFiles;
  std::vector<std::string>* CreatedSubdirs;
  std::vector<std::string>* ToolFiles;
  std::vector<ToolProgram>* ToolPrograms;
};

template <class Form>
FileRoleFields FileRoleFieldsOf(Form& form) {
  return {
      .SettingsPass = &form.SettingsPass,
      .ProbePass = &form.ProbePass,
      .PlacementSeen = &form.PlacementSeen,
      .InstanceSlot = &form.InstanceSlot,
      .Midi = &form.Midi,
      .SettingsFileName = &form.SettingsFileName,
      .ProjectorSourceName = &form.ProjectorSourceName,
      .ProjectorFile = &form.ProjectorFile,
      .EngineFile = &form.EngineFile,
      .MusicFile = &form.MusicFile,
      .ExtraFiles = &form.ExtraFiles,
      .CreatedSubdirs = &form.CreatedSubdirs,
      .ToolFiles = &form.ToolFiles,
      .ToolPrograms = &form.ToolPrograms,
  };
}

// What the handler asks of the file system.
struct FileRoleEnvironment {
  LeadBytePredicate IsLeadByte = NoLeadBytes;
  // A file of that path exists and cannot be deleted (it is in use); a file
  // that exists and can be deleted is deleted.
  std::function<bool(const std::string& path)> ExistsAndCannotBeDeleted;
  std::function<void(const std::string& path)> CreateDirectoryTree;
  std::function<void(const std::string& path)> CreateOneDirectory;  // one level, failure ignored
  // The destination check the session reader uses for its own paths: true
  // when a relative placement stays inside the target directory.
  std::function<bool(const std::string& placement)> PlacementIsSafe;
};

// The session reader's OnFile event. targetDir and placement come from the
// reader; fileName, destinationDir and skip are the event's var arguments.
// Raises EPlacementError for a subdirectory placement that fails the check.
void HandleExtractedFile(const FileRoleFields& fields, const FileRoleEnvironment& environment,
                         const std::string& targetDir, const std::string& placement, std::string& fileName,
                         std::string& destinationDir, bool& skip);

// Clears what the main pass records, before it runs.
void ClearForMainPass(const FileRoleFields& fields);

// Setting "CurrentDir": 1 and other values: the instance directory; 2: the
// runner's current directory; 0: the probe decides (runProbePass extracts
// nothing and tells whether some file has a placement), the current
// directory when no file has one. Returns UseCurrentDir.
bool DecideUseCurrentDir(std::int32_t currentDir, const std::function<bool()>& runProbePass);

}  // namespace vnx

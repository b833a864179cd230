#pragma once
// Satellite tools: auxiliary programs a session carries. Each gets a
// directory of its own inside the instance directory with its settings file
// "ptools.ini", a copy of its program P<NAME>.EXE and its satellite files.
// The order of the walks is portable; the file operations come from outside
// (the Win32 ones in session/satellite_tools_win.h).

#include <optional>
#include <string>
#include <vector>

#include "session/file_roles.h"
#include "session/file_system_text.h"

namespace vnx {

inline constexpr int kToolDeleteAttempts = 22;
inline constexpr int kToolDeletePauseMs = 111;

enum class DeleteResult { Deleted, Missing, Failed };

class SatelliteFileOps {
 public:
  virtual ~SatelliteFileOps() = default;
  // The whole file; nothing when it cannot be opened.
  virtual std::optional<std::string> ReadWhole(const std::string& path) = 0;
  // Replaces an existing file; a failure is the caller's to ignore.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  virtual DeleteResult Delete(const std::string& path) = 0;
  virtual void RemoveDir(const std::string& path) = 0;  // failure ignored
  virtual void Wait(int milliseconds) = 0;
};

// NAME of a tool settings file's first line "[NAME]"; nothing when the line
// is not a bracketed name.
std::optional<std::string> ToolNameOf(const std::string& firstLine);

// After the main pass: walks toolFiles from its last entry to its first, over
// the entries it held when the walk began. Each tool directory gets a copy of
// targetDir + P<NAME>.EXE and of every file placed "PTOOL.SATELLITE:" +
// P<NAME>.EXE; the copies are added to toolFiles. Raises EFOpenError for a
// missing settings file, EListError (0) for an empty one, EPlacementError for
// a name that is not a plain file name.
void SetUpSatelliteTools(std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                         const std::string& targetDir, SatelliteFileOps& ops, LeadBytePredicate isLead);

// Shutdown: toolFiles from last to first (directories removed when empty,
// files deleted with retries), then every tool program file.
void RemoveSatelliteTools(const std::vector<std::string>& toolFiles, const std::vector<ToolProgram>& toolPrograms,
                          SatelliteFileOps& ops, LeadBytePredicate isLead);

// Shutdown, after the tools: each created subdirectory from last to first,
// cut back level by level (a\b\c, a\b, a); directories that still hold
// files stay.
void RemoveCreatedSubdirs(const std::vector<std::string>& createdSubdirs, const std::string& targetDir,
                          SatelliteFileOps& ops, LeadBytePredicate isLead);

// Up to kToolDeleteAttempts attempts with a pause between them. A file that
// is not there counts as deleted: the retries are for files still in use.
bool DeleteWithRetries(const std::string& path, SatelliteFileOps& ops);

}  // namespace vnx

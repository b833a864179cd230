#pragma once
// What the session reader does with each file of a session, as far as the
// per-file handler is concerned: ask the handler, then write the file where
// and under the name it says. Lets the Windows tests drive the handler and
// the tools on the real file system before a real session exists.

#include <string>
#include <vector>

#include "session/file_roles.h"
#include "session/file_system.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

struct SessionFile {
  std::string name, placement, content;
};

inline void ExtractSimulated(const std::vector<SessionFile>& session, const FileRoleFields& fields,
                             const FileRoleEnvironment& environment, const std::string& targetDir) {
  for (const SessionFile& file : session) {
    std::string name = file.name, destination = targetDir;
    bool skip = false;
    HandleExtractedFile(fields, environment, targetDir, file.placement, name, destination, skip);
    if (!skip) WriteFileText(WithTrailingBackslash(destination) + name, file.content);
  }
}

// The destination check of the session reader, as far as these tests need it.
inline bool TestPlacementIsSafe(const std::string& placement) {
  return placement.find("..") == std::string::npos && placement.find(':') == std::string::npos &&
         !placement.starts_with('\\');
}

}  // namespace vnx::test

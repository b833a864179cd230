#include "runner/work_dir_claim_win.h"

#include <windows.h>

#include "runner/shell_delete.h"
#include "runner/work_dir_claim.h"
#include "session/file_system.h"
#include "sound/machine_mute.h"

namespace vnx {
namespace {

std::string ClaimFileOf(const std::string& directory) { return directory + "\\" + std::string(kWorkDirClaimFileName); }

WorkDirOperations::Created CreateWorkDir(const std::string& directory) {
  using Created = WorkDirOperations::Created;
  if (CreateDirectoryA(directory.c_str(), nullptr)) return Created::Yes;
  return GetLastError() == ERROR_ALREADY_EXISTS ? Created::AlreadyExists : Created::Failed;
}

// No sharing at all: every other runner's attempt to open the file, for its
// in-use test or to reclaim the directory, fails while this handle is open.
WorkDirOperations::Claim HoldClaimFile(const std::string& directory, UniqueFileHandle& claim) {
  using Claim = WorkDirOperations::Claim;
  claim.reset(CreateFileA(ClaimFileOf(directory).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (claim) return Claim::Held;
  const DWORD error = GetLastError();
  // Another runner reclaimed the fresh directory and holds it, or it was
  // deleted under us; either way the next number is the way on.
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_PATH_NOT_FOUND) return Claim::HeldByOther;
  RemoveDirectoryA(directory.c_str());
  return Claim::Failed;
}

bool ClaimHeld(const std::string& directory) {
  const std::string file = ClaimFileOf(directory);
  return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES && !CanOpenExclusively(file);
}

}  // namespace

std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance, UniqueFileHandle& claim) {
  const WorkDirOperations operations{
      CreateWorkDir,
      [&claim](const std::string& directory) { return HoldClaimFile(directory, claim); },
      ClaimHeld,
      [](const std::string& directory) { return TreeNotInUse(directory); },
      GiveBackLeftSound,
      [](const std::string& directory) { return ShellDelete(directory, kQuietDelete); },
  };
  return ClaimWorkDir(operations, tempBase, instance);
}

void ReleaseWorkDirClaim(const std::string& workDir, UniqueFileHandle& claim) {
  if (!claim) return;
  claim.reset();
  DeleteFileA((workDir + std::string(kWorkDirClaimFileName)).c_str());
}

}  // namespace vnx

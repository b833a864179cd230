#include "runner/work_dir_claim_win.h"

#include <windows.h>

#include "common/text.h"
#include "contract/control_block.h"
#include "runner/shell_delete.h"
#include "runner/work_dir_claim.h"
#include "session/file_system.h"
#include "session/settings_win.h"
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

WorkDirOperations RealOperations(UniqueFileHandle& claim) {
  return {
      CreateWorkDir,
      [&claim](const std::string& directory) { return HoldClaimFile(directory, claim); },
      ClaimHeld,
      [](const std::string& directory) { return TreeNotInUse(directory); },
      GiveBackLeftSound,
      [](const std::string& directory) { return ShellDelete(directory, kQuietDelete); },
      DeleteTreeNowOrAtNextStart,
  };
}

// The names below the base that start with prefix and go on as accepted says.
template <class Accept>
std::vector<std::string> DirectoriesBelow(const std::string& tempBase, const std::string& prefix, Accept&& accepted) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry{};
  if (const UniqueFindHandle search{FindFirstFileA((tempBase + prefix + "*").c_str(), &entry)}) {
    do {
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && accepted(std::string_view(entry.cFileName)))
        found.push_back(tempBase + entry.cFileName);
    } while (FindNextFileA(search.get(), &entry));
  }
  return found;
}

bool ProcessAlive(DWORD processId) {
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// "Vnx_Ini" + the id of a process that has ended: it was killed in its
// settings pass.
bool DeadSettingsPass(std::string_view name) {
  const std::string_view digits = name.substr(std::string_view(kSettingsPassDirectoryName).size());
  if (digits.empty() || digits.size() > 10) return false;
  std::uint64_t id = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    id = id * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return id <= 0xFFFFFFFFu && !ProcessAlive(static_cast<DWORD>(id));
}

}  // namespace

std::string ClaimWorkDir(const std::string& tempBase, std::int32_t& instance, UniqueFileHandle& claim) {
  return ClaimWorkDir(RealOperations(claim), tempBase, instance);
}

void SweepLeftoversOfDeadRunners(const std::string& tempBase, const std::string& ownWorkDir) {
  const std::string own = ownWorkDir.substr(0, ownWorkDir.size() - 1);
  const auto workDirs = DirectoriesBelow(tempBase, std::string(kWorkDirBaseName), [&](std::string_view name) {
    return InstanceFromWorkDirName(name) && !EqualsIgnoringCase(tempBase + std::string(name), own);
  });
  UniqueFileHandle unused;
  SweepDeadRunnersWorkDirs(RealOperations(unused), workDirs);
  for (const std::string& passDir : DirectoriesBelow(tempBase, kSettingsPassDirectoryName, DeadSettingsPass))
    RemoveDirectoryWithFiles(passDir + "\\");
}

void ReleaseWorkDirClaim(const std::string& workDir, UniqueFileHandle& claim) {
  if (!claim) return;
  claim.reset();
  DeleteFileA((workDir + std::string(kWorkDirClaimFileName)).c_str());
}

}  // namespace vnx

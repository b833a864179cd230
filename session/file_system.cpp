#include "session/file_system.h"

#include <windows.h>

#include "common/handle.h"
#include "contract/shared_names.h"
#include "session/file_system_text.h"

namespace vnx {

bool SystemLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != 0; }

std::string WithTrailingBackslash(const std::string& path) { return WithTrailingBackslash(path, SystemLeadByte); }

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void CreateDirectoryTree(const std::string& path) {
  for (const std::string& directory : DirectoriesToCreate(path, SystemLeadByte, IsDirectory))
    CreateDirectoryA(directory.c_str(), nullptr);
}

std::optional<std::string> TryReadWholeFile(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return std::string();
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (size > 0 && !ReadFile(file.get(), bytes.data(), size, &read, nullptr)) read = 0;
  bytes.resize(read);
  return bytes;
}

std::string ReadWholeFile(const std::string& path) { return TryReadWholeFile(path).value_or(std::string()); }

bool SameFileContent(const std::string& a, const std::string& b) { return ReadWholeFile(a) == ReadWholeFile(b); }

bool CanOpenExclusively(const std::string& path) {
  const UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

bool TreeNotInUse(const std::string& pattern) {
  const std::string folder = FolderOf(pattern, SystemLeadByte);
  WIN32_FIND_DATAA entry{};
  const UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
  if (!search) return true;
  bool result = true;
  do {
    const std::string name = entry.cFileName;
    if (name.starts_with('.')) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      result = TreeNotInUse(folder + name + "\\*.*");
    else
      result = CanOpenExclusively(folder + name);
  } while (result && FindNextFileA(search.get(), &entry));
  return result;
}

void DeleteAtNextStart(const std::string& path) {
  // The system keeps the queue in one registry value that each call reads,
  // extends and writes back: runners that end together would otherwise
  // lose each other's entries.
  const UniqueKernelHandle mutex(CreateMutexA(nullptr, FALSE, kDeleteAtRestartMutexName));
  const DWORD wait = mutex ? WaitForSingleObject(mutex.get(), 5555) : WAIT_FAILED;
  MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ReleaseMutex(mutex.get());
}

void RemoveDirectoryWithFiles(const std::string& directory) {
  // Only what is still there is scheduled, so that nothing stale is queued.
  const auto deleteLater = [](const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteAtNextStart(path);
  };
  WIN32_FIND_DATAA entry{};
  if (const UniqueFindHandle search{FindFirstFileA((directory + "*").c_str(), &entry)}) {
    do {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string file = directory + entry.cFileName;
      if (!DeleteFileA(file.c_str())) deleteLater(file);
    } while (FindNextFileA(search.get(), &entry));
  }
  const std::string withoutBackslash = directory.substr(0, directory.size() - 1);
  if (!RemoveDirectoryA(withoutBackslash.c_str())) deleteLater(withoutBackslash);
}

void DeleteTreeNowOrAtNextStart(const std::string& directory) {
  WIN32_FIND_DATAA entry{};
  if (const UniqueFindHandle search{FindFirstFileA((directory + "\\*").c_str(), &entry)}) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTreeNowOrAtNextStart(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) DeleteAtNextStart(path);
      }
    } while (FindNextFileA(search.get(), &entry));
  }
  if (!RemoveDirectoryA(directory.c_str())) DeleteAtNextStart(directory);
}

}  // namespace vnx

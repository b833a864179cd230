#include "tests/support/win_scratch_dir.h"

#include <cstdlib>

#include "common/handle.h"

namespace vnx::test {
namespace {

void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA found{};
  UniqueFindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
  if (search) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search.get(), &found));
  }
  search.reset();
  RemoveDirectoryA(directory.c_str());
}

std::uint64_t Ticks(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

WinScratchDir::WinScratchDir() {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  for (unsigned attempt = GetTickCount();; ++attempt) {
    path_ = std::string(temp) + "vnx-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt);
    if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) std::abort();
  }
}

WinScratchDir::~WinScratchDir() { RemoveTree(path_); }

void WriteWinFile(const std::string& path, const std::string& bytes) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) std::abort();
}

std::string ReadWinFile(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "";
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  return bytes;
}

bool WinFileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

WinFileTimes FileTimesOf(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILETIME creation{}, access{}, write{};
  if (file) GetFileTime(file.get(), &creation, &access, &write);
  return {Ticks(creation), Ticks(access), Ticks(write)};
}

void SetWinLastWriteTime(const std::string& path, std::uint64_t fileTime) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SetFileTime(file.get(), nullptr, nullptr, &time);
}

}  // namespace vnx::test

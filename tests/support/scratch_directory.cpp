#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/handle.h"
#include "common/system_text.h"
#include "common/text.h"

namespace vnx::test {
namespace {

std::string TempDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  return std::string(buffer, length);
}

// Wide, for the names of other scripts that tests make below the directory.
bool DeleteTreeOnce(const std::wstring& directory) {
  WIN32_FIND_DATAW found;
  UniqueFindHandle search(FindFirstFileW((directory + L"\\*").c_str(), &found));
  if (search) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = directory + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTreeOnce(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search.get(), &found));
  }
  search.reset();
  RemoveDirectoryW(directory.c_str());
  return GetFileAttributesW(directory.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void ScheduleTreeDeletion(const std::string& directory) {
  for (const std::string& entry : TreeEntries(directory)) {
    const std::string path = directory + "\\" + entry;
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) continue;
    MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  }
  std::vector<std::string> directories;
  for (const std::string& entry : TreeEntries(directory))
    if (GetFileAttributesA((directory + "\\" + entry).c_str()) & FILE_ATTRIBUTE_DIRECTORY) directories.push_back(entry);
  // Deepest first, the scratch directory itself last.
  std::sort(directories.rbegin(), directories.rend());
  for (const std::string& entry : directories)
    MoveFileExA((directory + "\\" + entry).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  MoveFileExA(directory.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace

ScratchDirectory::ScratchDirectory(std::string_view tag, Removal removal) : removal_(removal) {
  // Wine reuses small process ids, and a directory of an earlier test
  // program that still holds a file in use (an engine library in Wine's
  // desktop process) waits for the next restart: such a name is passed over.
  static int counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = TempDirectory() + "vnx-" + std::string(tag) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    RemoveTree(path_);
    if (CreateDirectoryA(path_.c_str(), nullptr)) return;
  }
  ADD_FAILURE() << "cannot create a scratch directory like " << path_;
}

ScratchDirectory::~ScratchDirectory() {
  if (RemoveTree(path_)) return;
  if (removal_ == Removal::Lenient)
    ScheduleTreeDeletion(path_);
  else
    ADD_FAILURE() << "cannot remove " << path_;
}

void ScratchDirectory::Write(std::string_view relative, std::string_view text) const {
  WriteFileText(File(relative), text);
}

std::optional<std::string> ScratchDirectory::Read(std::string_view relative) const {
  return ReadFileText(File(relative));
}

std::string ScratchDirectory::PlaceBuiltProgram(std::string_view fileName, std::string_view asName) const {
  const std::string target = File(asName.empty() ? fileName : asName);
  EXPECT_TRUE(CopyFileA(BuiltProgram(fileName).c_str(), target.c_str(), FALSE)) << BuiltProgram(fileName);
  return target;
}

std::string BuiltProgram(std::string_view fileName) {
  char shipped[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA("VNX_SHIPPED_PROGRAMS", shipped, sizeof shipped);
  if (length > 0 && length < sizeof shipped && (fileName == "runner.exe" || fileName == "vnxengine.dll"))
    return std::string(shipped, length) + "\\" + std::string(fileName);
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + std::string(fileName);
}

bool RemoveTree(const std::string& directory) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (DeleteTreeOnce(WideFromCodePage(directory))) return true;
    Sleep(50);
  }
  return false;
}

std::vector<std::string> TreeEntries(const std::string& directory, const std::string& prefix) {
  std::vector<std::string> entries;
  WIN32_FIND_DATAA found{};
  UniqueFindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
  if (!search) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back(prefix + name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      for (std::string& inner : TreeEntries(directory + "\\" + name, prefix + name + "\\"))
        entries.push_back(std::move(inner));
  } while (FindNextFileA(search.get(), &found));
  return entries;
}

void WriteFileText(const std::string& path, std::string_view text) {
  UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) << path;
}

std::optional<std::string> ReadFileText(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string text(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
    return std::nullopt;
  text.resize(read);
  return text;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string PendingDeletions() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return {};
  const UniqueRegistryKey opened(key);
  DWORD size = 0;
  if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return {};
  std::string value(size, '\0');
  RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size);
  return LowerAscii(value);
}

}  // namespace vnx::test

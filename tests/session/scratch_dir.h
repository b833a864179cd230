#pragma once
// A private directory under the temporary directory for one Windows test,
// removed with everything in it when the test ends.

#include <windows.h>

#include <string>
#include <vector>

namespace vnx::test {

inline void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA entry{};
  const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

// Every file and directory below the directory, as paths relative to it.
inline std::vector<std::string> TreeEntries(const std::string& directory, const std::string& prefix = "") {
  std::vector<std::string> entries;
  WIN32_FIND_DATAA entry{};
  const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back(prefix + name);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      for (std::string& inner : TreeEntries(directory + "\\" + name, prefix + name + "\\"))
        entries.push_back(std::move(inner));
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return entries;
}

inline void WriteFileText(const std::string& path, const std::string& text) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) {
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
}

inline bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::string(temp) + "vnx_" + name + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchDir() { RemoveTree(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Without a trailing "\".
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

}  // namespace vnx::test

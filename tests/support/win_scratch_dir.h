#pragma once
// A fresh directory under the Windows temporary directory for one test,
// removed with everything in it afterwards, and small file helpers.

#include <windows.h>

#include <cstdint>
#include <string>

namespace vnx::test {

class WinScratchDir {
 public:
  WinScratchDir();
  ~WinScratchDir();
  WinScratchDir(const WinScratchDir&) = delete;
  WinScratchDir& operator=(const WinScratchDir&) = delete;

  // The directory, without a trailing backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

void WriteWinFile(const std::string& path, const std::string& bytes);
// The whole file, read with full sharing; empty when it cannot be opened.
std::string ReadWinFile(const std::string& path);
bool WinFileExists(const std::string& path);

struct WinFileTimes {
  std::uint64_t Creation = 0, LastAccess = 0, LastWrite = 0;
};
WinFileTimes FileTimesOf(const std::string& path);
void SetWinLastWriteTime(const std::string& path, std::uint64_t fileTime);

}  // namespace vnx::test

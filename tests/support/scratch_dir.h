#pragma once
// A fresh directory below the system's temporary directory for one native
// test, removed with everything in it afterwards, and small file helpers.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vnx::test {

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vnx-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline bool Exists(const std::string& path) {
  struct stat facts {};
  return lstat(path.c_str(), &facts) == 0;
}

// Modification time in 100-nanosecond units since 1601, as FILETIME counts.
inline std::uint64_t ModificationFileTime(const std::string& path) {
  struct stat facts {};
  if (stat(path.c_str(), &facts) != 0) return 0;
  return static_cast<std::uint64_t>(facts.st_mtim.tv_sec + 11'644'473'600LL) * 10'000'000u +
         static_cast<std::uint64_t>(facts.st_mtim.tv_nsec / 100);
}

}  // namespace vnx::test

#include "tools/vnxpack/posix_pack_host.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "session/posix_file_seam.h"
#include "session/session_writer.h"

namespace vnx {
namespace {

class PosixHost : public PackHost {
 public:
  const FileSeam& Files() const override { return PosixFiles(); }
  char Separator() const override { return '/'; }

  HostFileFacts Facts(const std::string& path) const override {
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0) return {};
    return HostFileFacts{true, S_ISDIR(facts.st_mode), facts.st_size,
                         FileTimeFromUnixTime({facts.st_mtim.tv_sec, facts.st_mtim.tv_nsec})};
  }

  std::vector<std::string> List(const std::string& directory) const override {
    DIR* dir = opendir(directory.c_str());
    if (!dir) throw EPackError("cannot list " + directory + ": " + std::strerror(errno));
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string AbsolutePath(const std::string& path) const override {
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) throw EPackError("cannot resolve " + path + ": " + std::strerror(errno));
    return resolved;
  }

  void MakeDirectories(const std::string& path) const override {
    const std::string native = PosixPath(path);
    for (std::size_t at = 1; at <= native.size(); ++at) {
      if (at < native.size() && native[at] != '/') continue;
      const std::string part = native.substr(0, at);
      if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
        throw EPackError("cannot create directory " + part + ": " + std::strerror(errno));
    }
    if (!Facts(native).IsDirectory) throw EPackError("cannot create directory " + native);
  }

  void MoveOver(const std::string& from, const std::string& to) const override {
    if (std::rename(from.c_str(), to.c_str()) != 0)
      throw EPackError("cannot write " + to + ": " + std::strerror(errno));
  }

  void RemoveFile(const std::string& path) const override { unlink(path.c_str()); }
  void RemoveEmptyDirectory(const std::string& path) const override { rmdir(path.c_str()); }

  std::string TemporaryDirectory() const override {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::temp_directory_path(error);
    if (error) throw EPackError("cannot find the temporary directory: " + error.message());
    return path.string();
  }

  std::string ToolDirectory() const override {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
  }

  std::unique_ptr<std::istream> OpenInput(const std::string& path) const override {
    auto stream = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*stream) return nullptr;
    return stream;
  }
  std::unique_ptr<std::ostream> OpenOutput(const std::string& path) const override {
    auto stream = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::trunc);
    if (!*stream) return nullptr;
    return stream;
  }

  // File names here are bytes, stored as they are.
  std::optional<std::string> StoredText(const std::string& hostText) const override { return hostText; }
  std::string StoredRendering(const std::string& hostText) const override { return hostText; }
  std::string HostText(const std::string& storedText) const override { return storedText; }
};

}  // namespace

const PackHost& PosixPackHost() {
  static const PosixHost host;
  return host;
}

}  // namespace vnx

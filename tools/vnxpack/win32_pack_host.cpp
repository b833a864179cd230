#include "tools/vnxpack/win32_pack_host.h"

#include <windows.h>

#include <algorithm>

#include "common/handle.h"
#include "session/session_writer.h"
#include "session/win32_file_seam.h"

namespace vnx {
namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

class Win32Host : public PackHost {
 public:
  const FileSeam& Files() const override { return Win32Files(); }
  char Separator() const override { return '\\'; }

  HostFileFacts Facts(const std::string& path) const override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(WithoutTrailingSeparators(path).c_str(), GetFileExInfoStandard, &data)) return {};
    return HostFileFacts{
        true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
        static_cast<std::int64_t>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow),
        static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime};
  }

  std::vector<std::string> List(const std::string& directory) const override {
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA((WithoutTrailingSeparators(directory) + "\\*").c_str(), &found));
    if (!search) throw EPackError("cannot list " + directory);
    std::vector<std::string> names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string AbsolutePath(const std::string& path) const override {
    char full[MAX_PATH + 1] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length > MAX_PATH) throw EPackError("cannot resolve " + path);
    return full;
  }

  void MakeDirectories(const std::string& path) const override {
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', '\\');
    native = WithoutTrailingSeparators(native);
    for (std::size_t at = 1; at <= native.size(); ++at) {
      if (at < native.size() && native[at] != '\\') continue;
      const std::string part = native.substr(0, at);
      if (part.back() == ':') continue;  // a drive, not a directory to create
      CreateDirectoryA(part.c_str(), nullptr);
    }
    if (!Facts(native).IsDirectory) throw EPackError("cannot create directory " + native);
  }

  void MoveOver(const std::string& from, const std::string& to) const override {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) throw EPackError("cannot write " + to);
  }

  void RemoveFile(const std::string& path) const override { DeleteFileA(path.c_str()); }
};

}  // namespace

const PackHost& Win32PackHost() {
  static const Win32Host host;
  return host;
}

}  // namespace vnx

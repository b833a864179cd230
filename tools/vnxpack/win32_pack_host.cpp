#include "tools/vnxpack/win32_pack_host.h"

#include <windows.h>

#include <algorithm>
#include <fstream>

#include "common/handle.h"
#include "common/system_text.h"
#include "session/session_writer.h"
#include "session/win32_file_seam.h"

namespace vnx {
namespace {

// Host paths are UTF-8 here: the tool's command line and the system's names
// come whole, in any script.
std::wstring Wide(const std::string& path) { return WideFromUtf8(path); }

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

class Win32Host : public PackHost {
 public:
  const FileSeam& Files() const override { return Win32WholeFiles(); }
  char Separator() const override { return '\\'; }

  HostFileFacts Facts(const std::string& path) const override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(WithoutTrailingSeparators(path)).c_str(), GetFileExInfoStandard, &data)) return {};
    return HostFileFacts{
        true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
        static_cast<std::int64_t>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow),
        static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime};
  }

  std::vector<std::string> List(const std::string& directory) const override {
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW(Wide(WithoutTrailingSeparators(directory) + "\\*").c_str(), &found));
    if (!search) throw EPackError("cannot list " + directory);
    std::vector<std::string> names;
    do {
      const std::string name = Utf8FromWide(found.cFileName);
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string AbsolutePath(const std::string& path) const override {
    const std::wstring relative = Wide(path);
    const DWORD needed = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD length = needed == 0 ? 0 : GetFullPathNameW(relative.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) throw EPackError("cannot resolve " + path);
    full.resize(length);
    return Utf8FromWide(full);
  }

  void MakeDirectories(const std::string& path) const override {
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', '\\');
    native = WithoutTrailingSeparators(native);
    for (std::size_t at = 1; at <= native.size(); ++at) {
      if (at < native.size() && native[at] != '\\') continue;
      const std::string part = native.substr(0, at);
      if (part.back() == ':') continue;  // a drive, not a directory to create
      CreateDirectoryW(Wide(part).c_str(), nullptr);
    }
    if (!Facts(native).IsDirectory) throw EPackError("cannot create directory " + native);
  }

  void MoveOver(const std::string& from, const std::string& to) const override {
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING))
      throw EPackError("cannot write " + to);
  }

  void RemoveFile(const std::string& path) const override { DeleteFileW(Wide(path).c_str()); }
  void RemoveEmptyDirectory(const std::string& path) const override { RemoveDirectoryW(Wide(path).c_str()); }

  std::string TemporaryDirectory() const override {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH) throw EPackError("cannot find the temporary directory");
    return WithoutTrailingSeparators(Utf8FromWide(std::wstring_view(path, length)));
  }

  std::string ToolDirectory() const override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return {};
      if (length < path.size()) {
        path.resize(length);
        break;
      }
      path.resize(path.size() * 2);
    }
    return Utf8FromWide(path.substr(0, path.find_last_of(L'\\')));
  }

  // libstdc++ opens wide names with _wfopen.
  std::unique_ptr<std::istream> OpenInput(const std::string& path) const override {
    auto stream = std::make_unique<std::ifstream>(Wide(path).c_str(), std::ios::binary);
    if (!*stream) return nullptr;
    return stream;
  }
  std::unique_ptr<std::ostream> OpenOutput(const std::string& path) const override {
    auto stream = std::make_unique<std::ofstream>(Wide(path).c_str(), std::ios::binary | std::ios::trunc);
    if (!*stream) return nullptr;
    return stream;
  }

  std::optional<std::string> StoredText(const std::string& hostText) const override {
    return CodePageExactly(WideFromUtf8(hostText));
  }
  std::string StoredRendering(const std::string& hostText) const override {
    return CodePageRendering(WideFromUtf8(hostText));
  }
  std::string HostText(const std::string& storedText) const override { return Utf8FromCodePage(storedText); }
};

}  // namespace

const PackHost& Win32PackHost() {
  static const Win32Host host;
  return host;
}

}  // namespace vnx

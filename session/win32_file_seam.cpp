#include "session/win32_file_seam.h"

#include <windows.h>

#include "common/handle.h"
#include "common/system_text.h"

namespace vnx {
namespace {

class Win32Source : public SourceStream {
 public:
  explicit Win32Source(UniqueFileHandle file) : file_(std::move(file)) {}
  std::int64_t Size() override {
    DWORD high = 0;
    const DWORD low = GetFileSize(file_.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) throw EReadError();
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(high) << 32 | low);
  }
  void Seek(std::int64_t position) override {
    // SetFilePointer with its high half works on every Windows the runner
    // supports; SetFilePointerEx does not exist on the 95 family.
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low = SetFilePointer(file_.get(), static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) throw EReadError();
  }
  std::size_t Read(void* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      DWORD got = 0;
      if (!ReadFile(file_.get(), static_cast<char*>(buffer) + done, static_cast<DWORD>(count - done), &got, nullptr))
        throw EReadError();
      if (got == 0) break;
      done += got;
    }
    return done;
  }

 private:
  UniqueFileHandle file_;
};

// The system's reason for the last error, in the code page like the paths.
std::string LastErrorText() {
  const DWORD error = GetLastError();
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                 nullptr);
  std::string reason = text;
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

class Win32Target : public TargetStream {
 public:
  Win32Target(UniqueFileHandle file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}
  void Write(const void* data, std::size_t count) override {
    DWORD put = 0;
    SetLastError(ERROR_DISK_FULL);  // what a write that takes fewer bytes than given means
    if (!WriteFile(file_.get(), data, static_cast<DWORD>(count), &put, nullptr) || put != count)
      throw EWriteError(path_, LastErrorText());
  }
  void SetLastWriteTime(std::uint64_t fileTime) override {
    FILETIME time{static_cast<DWORD>(fileTime & 0xFFFFFFFF), static_cast<DWORD>(fileTime >> 32)};
    SetFileTime(file_.get(), nullptr, nullptr, &time);
  }

 private:
  UniqueFileHandle file_;
  std::string path_;
};

// Paths in the code page (the runner's working directory and the names the
// session stores), or whole in UTF-8 (the authoring tool's, from its wide
// command line and the system); the messages carry the path as given.
class Win32FileSeam : public FileSeam {
 public:
  explicit Win32FileSeam(bool whole) : whole_(whole) {}
  std::unique_ptr<SourceStream> OpenRead(const std::string& path) const override {
    UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFOpenError(path);
    return std::make_unique<Win32Source>(std::move(file));
  }
  std::unique_ptr<TargetStream> Create(const std::string& path) const override {
    UniqueFileHandle file(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFCreateError(path);
    return std::make_unique<Win32Target>(std::move(file), path);
  }
  void Delete(const std::string& path) const override { DeleteFileW(Wide(path).c_str()); }

 private:
  std::wstring Wide(const std::string& path) const { return whole_ ? WideFromUtf8(path) : WideFromCodePage(path); }

  bool whole_;
};

}  // namespace

const FileSeam& Win32Files() {
  static const Win32FileSeam seam(false);
  return seam;
}

const FileSeam& Win32WholeFiles() {
  static const Win32FileSeam seam(true);
  return seam;
}

std::unique_ptr<SourceStream> OpenWholePathForReading(const std::string& wholePath) {
  try {
    return Win32WholeFiles().OpenRead(wholePath);
  } catch (const EFOpenError&) {
    throw EFOpenError(CodePageRendering(WideFromUtf8(wholePath)));
  }
}

}  // namespace vnx

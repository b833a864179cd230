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

class Win32Target : public TargetStream {
 public:
  explicit Win32Target(UniqueFileHandle file) : file_(std::move(file)) {}
  void Write(const void* data, std::size_t count) override {
    DWORD put = 0;
    if (!WriteFile(file_.get(), data, static_cast<DWORD>(count), &put, nullptr) || put != count) throw EWriteError();
  }
  void SetLastWriteTime(std::uint64_t fileTime) override {
    FILETIME time{static_cast<DWORD>(fileTime & 0xFFFFFFFF), static_cast<DWORD>(fileTime >> 32)};
    SetFileTime(file_.get(), nullptr, nullptr, &time);
  }

 private:
  UniqueFileHandle file_;
};

class Win32FileSeam : public FileSeam {
 public:
  std::unique_ptr<SourceStream> OpenRead(const std::string& path) const override {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFOpenError(path);
    return std::make_unique<Win32Source>(std::move(file));
  }
  std::unique_ptr<TargetStream> Create(const std::string& path) const override {
    UniqueFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EFCreateError(path);
    return std::make_unique<Win32Target>(std::move(file));
  }
  void Delete(const std::string& path) const override { DeleteFileA(path.c_str()); }
};

}  // namespace

const FileSeam& Win32Files() {
  static const Win32FileSeam seam;
  return seam;
}

std::unique_ptr<SourceStream> OpenWholePathForReading(const std::string& wholePath) {
  const std::wstring path = WideFromUtf8(wholePath);
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw EFOpenError(CodePageRendering(path));
  return std::make_unique<Win32Source>(std::move(file));
}

}  // namespace vnx

#include "session/posix_file_seam.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vnx {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

class PosixSource : public SourceStream {
 public:
  explicit PosixSource(int fd) : fd_(fd) {}
  std::int64_t Size() override {
    struct stat facts {};
    if (fstat(fd_.get(), &facts) != 0) throw EReadError();
    return facts.st_size;
  }
  void Seek(std::int64_t position) override { position_ = position; }
  std::size_t Read(void* buffer, std::size_t count) override {
    std::size_t done = 0;
    while (done < count) {
      const ssize_t got = pread(fd_.get(), static_cast<char*>(buffer) + done, count - done, position_);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw EReadError();
      if (got == 0) break;
      done += static_cast<std::size_t>(got);
      position_ += got;
    }
    return done;
  }

 private:
  Descriptor fd_;
  std::int64_t position_ = 0;
};

class PosixTarget : public TargetStream {
 public:
  PosixTarget(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  void Write(const void* data, std::size_t count) override {
    const char* from = static_cast<const char*>(data);
    while (count > 0) {
      const ssize_t put = write(fd_.get(), from, count);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) throw EWriteError(path_, put == 0 ? std::strerror(ENOSPC) : std::strerror(errno));
      from += put;
      count -= static_cast<std::size_t>(put);
    }
  }
  void SetLastWriteTime(std::uint64_t fileTime) override {
    const UnixTime time = UnixTimeFromFileTime(fileTime);
    timespec times[2] = {};
    times[0].tv_nsec = UTIME_OMIT;  // last access stays
    times[1].tv_sec = static_cast<time_t>(time.Seconds);
    times[1].tv_nsec = static_cast<long>(time.Nanoseconds);
    futimens(fd_.get(), times);  // a time the file system cannot keep is no reason to fail
  }

 private:
  Descriptor fd_;
  std::string path_;
};

class PosixFileSeam : public FileSeam {
 public:
  std::unique_ptr<SourceStream> OpenRead(const std::string& path) const override {
    const int fd = open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EFOpenError(path);
    auto source = std::make_unique<PosixSource>(fd);
    struct stat facts {};
    if (fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) throw EFOpenError(path);
    return source;
  }
  std::unique_ptr<TargetStream> Create(const std::string& path) const override {
    // A link standing where the file goes is not followed: the file stays in
    // the directory it was meant for.
    const int fd = open(PosixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) throw EFCreateError(path);
    return std::make_unique<PosixTarget>(fd, path);
  }
  void Delete(const std::string& path) const override { unlink(PosixPath(path).c_str()); }
};

}  // namespace

const FileSeam& PosixFiles() {
  static const PosixFileSeam seam;
  return seam;
}

std::string PosixPath(std::string_view path) {
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

UnixTime UnixTimeFromFileTime(std::uint64_t fileTime) {
  // FILETIME values beyond the signed range are not times any writer makes.
  const std::int64_t ticks = static_cast<std::int64_t>(std::min<std::uint64_t>(fileTime, INT64_MAX));
  return UnixTime{ticks / kTicksPerSecond - kSecondsFrom1601To1970, (ticks % kTicksPerSecond) * 100};
}

std::uint64_t FileTimeFromUnixTime(UnixTime time) {
  const std::int64_t seconds = time.Seconds + kSecondsFrom1601To1970;
  if (seconds < 0) return 0;  // before 1601: the earliest FILETIME
  return static_cast<std::uint64_t>(seconds) * kTicksPerSecond + static_cast<std::uint64_t>(time.Nanoseconds / 100);
}

}  // namespace vnx

#pragma once
// The few file operations the session reader needs, behind one small
// interface: Win32 files in the runner (win32_file_seam.h), POSIX files in the
// native programs (posix_file_seam.h). Paths use "\" as separator, as the
// runner writes them; the POSIX side maps it to "/".

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/errors.h"

namespace vnx {

// A write that the file system refuses, named with the file and the
// system's reason ("There is not enough space on the disk."), so that a
// viewer whose disk is full learns why the presentation does not start.
class EWriteError : public ERunnerError {
 public:
  EWriteError(const std::string& path, const std::string& reason)
      : ERunnerError("Cannot write file " + path + ": " + reason) {}
};

// A file opened for reading, others may read and write it meanwhile.
class SourceStream {
 public:
  virtual ~SourceStream() = default;
  virtual std::int64_t Size() = 0;
  virtual void Seek(std::int64_t position) = 0;
  // Reads up to count bytes at the current position; fewer only at the end
  // of the file. A failing device raises EReadError.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// A file being written, held exclusively; closed by its destructor.
class TargetStream {
 public:
  virtual ~TargetStream() = default;
  virtual void Write(const void* data, std::size_t count) = 0;  // raises EWriteError
  // Sets only the last-write time (a Windows FILETIME, UTC); creation and
  // last-access times stay as the file system keeps them.
  virtual void SetLastWriteTime(std::uint64_t fileTime) = 0;
};

class FileSeam {
 public:
  virtual ~FileSeam() = default;
  // Raises EFOpenError ("Cannot open file " + path).
  virtual std::unique_ptr<SourceStream> OpenRead(const std::string& path) const = 0;
  // Creates or replaces the file. Raises EFCreateError ("Cannot create file " + path).
  virtual std::unique_ptr<TargetStream> Create(const std::string& path) const = 0;
  // Best effort: a file that cannot be deleted stays.
  virtual void Delete(const std::string& path) const = 0;
};

}  // namespace vnx

#pragma once
// The writing side of the session layout, for the authoring tool and the
// tests: appends one session (file records and trailer) to a stream. Files of
// 109 bytes or more become best-compression zlib streams (header 78 DA),
// smaller ones are stored raw.

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "session/session_format.h"

namespace vnx {

// A session the format cannot carry, or input that cannot be read.
class EPackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PackedFile {
  std::string Name;       // stored file name
  std::string SourceDir;  // directory it came from, with a trailing backslash
  std::string Placement;
  std::uint64_t LastWriteTime = 0;  // FILETIME
  std::int64_t Size = 0;
  // Opens the content; it must deliver exactly Size bytes.
  std::function<std::unique_ptr<std::istream>()> Open;
};

inline constexpr const char* kPackVersionText = "Vornex vnxpack 1.0";

struct PackedSession {
  std::string Name = kDefaultSessionName;
  std::string VersionText = kPackVersionText;
  std::vector<PackedFile> Files;
};

// Raises EPackError when the session cannot be written at sessionOffset: a
// name of 64 characters or more, a version text over 63, a name, directory or
// placement over 255, a file or the files together over 2 GiB, or an output
// that could pass 2 GiB. Nothing is read or written.
void CheckPackedSession(const PackedSession& packed, std::int64_t sessionOffset);

// Checks the session, then appends the session at the stream's end, which must
// be where the stream stands. The stream must be seekable (headers are
// completed once the stored size is known).
void WriteSession(std::ostream& out, const PackedSession& packed);

}  // namespace vnx

#pragma once
// The session reader's files on Linux: the native tests, the fuzzer and the
// authoring tool. "\" in a path is a separator and becomes "/".

#include <cstdint>
#include <string>
#include <string_view>

#include "session/file_seam.h"

namespace vnx {

const FileSeam& PosixFiles();

std::string PosixPath(std::string_view path);

// FILETIME (100 ns since 1601) and Unix time (seconds and nanoseconds since 1970).
struct UnixTime {
  std::int64_t Seconds = 0;
  std::int64_t Nanoseconds = 0;
};
UnixTime UnixTimeFromFileTime(std::uint64_t fileTime);
std::uint64_t FileTimeFromUnixTime(UnixTime time);

}  // namespace vnx

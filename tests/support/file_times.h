#pragma once
// A file's three times as Windows keeps them, for tests of the times the
// reader sets.

#include <cstdint>
#include <string>

namespace vnx::test {

struct FileTimes {
  std::uint64_t Creation = 0, LastAccess = 0, LastWrite = 0;  // FILETIME ticks
};
FileTimes FileTimesOf(const std::string& path);
void SetLastWriteTime(const std::string& path, std::uint64_t fileTime);

}  // namespace vnx::test

#include "tests/support/file_times.h"

#include <windows.h>

#include "common/handle.h"

namespace vnx::test {
namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

FileTimes FileTimesOf(const std::string& path) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILETIME creation{}, access{}, write{};
  if (file) GetFileTime(file.get(), &creation, &access, &write);
  return {Ticks(creation), Ticks(access), Ticks(write)};
}

void SetLastWriteTime(const std::string& path, std::uint64_t fileTime) {
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
  SetFileTime(file.get(), nullptr, nullptr, &time);
}

}  // namespace vnx::test

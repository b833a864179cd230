#pragma once
// What the BeforeShow test programs record: "key=value" lines appended to a
// file whose absolute path is the first word of their argument text (the
// working directory they run from is deleted at the end of the session).

#include <windows.h>

#include <string>
#include <string_view>

namespace vnx::test {

// The text before the first blank.
inline std::string FirstWord(std::string_view text) { return std::string(text.substr(0, text.find(' '))); }

inline void AppendRecord(const std::string& path, std::string_view key, std::string_view value) {
  const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string line = std::string(key) + "=" + std::string(value) + "\r\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace vnx::test

#pragma once
// Which Windows family the runner runs on, decided once at program start.

#include <cstdint>

namespace vnx {

struct OsFlags {
  bool Win95 = false;
  bool Win98 = false;
  bool WinMe = false;
  bool WinNT5 = false;
};

inline constexpr std::uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT

OsFlags ClassifyOs(std::uint32_t platformId, unsigned major, unsigned minor);

}  // namespace vnx

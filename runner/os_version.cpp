#include "runner/os_version.h"

namespace vnx {

OsFlags ClassifyOs(std::uint32_t platformId, unsigned major, unsigned minor) {
  OsFlags os;
  const bool nt = platformId == kPlatformWin32Nt;
  os.Win95 = !nt && major == 4 && minor < 10;
  os.Win98 = !nt && !os.Win95 && major == 4 && minor < 90;
  os.WinMe = !nt && !os.Win95 && !os.Win98;
  os.WinNT5 = nt && major == 5;
  return os;
}

}  // namespace vnx

#include "runner/process_state.h"

#include <windows.h>

#include "runner/os_version.h"

namespace vnx {

bool QuitRequested = false;
bool RestartRequested = true;
bool OsWin95 = false, OsWin98 = false, OsWinMe = false, OsWinNT5 = false;
std::int32_t ScreenWidth = 0, ScreenHeight = 0;
std::int32_t ScreenDpi = 96;
std::int32_t ClientWidth = 0, ClientHeight = 0;
bool ResizePending = false;

void ClassifyRunningOs() {
  const DWORD version = GetVersion();
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);
  const OsFlags os = ClassifyOs(info.dwPlatformId, LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)));
  OsWin95 = os.Win95;
  OsWin98 = os.Win98;
  OsWinMe = os.WinMe;
  OsWinNT5 = os.WinNT5;
}

}  // namespace vnx

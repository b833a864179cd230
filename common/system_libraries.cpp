#include "common/system_libraries.h"

#include <string>

#include "common/library_function.h"

namespace vnx {
namespace {

// The values of the loader flags, which the headers give only to programs
// built for Windows 8 and later; the flags work from Windows 7 with update
// KB2533623 on, wherever SetDefaultDllDirectories exists.
constexpr DWORD kSearchSystem32 = 0x00000800;                  // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kSafeSearchForGood = 0x00000001 | 0x00008000;  // BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | _PERMANENT

bool g_systemDirectoryOnly = false;  // SetDefaultDllDirectories took the system directory

std::string SystemDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

}  // namespace

void KeepLibrarySearchInSystemDirectory() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
  using SetSearchPathModeFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefault = KernelFunction<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
  g_systemDirectoryOnly = setDefault && setDefault(kSearchSystem32);
  if (g_systemDirectoryOnly) return;
  // Without it the program's folder keeps its place in the search; an empty
  // DLL directory takes the current directory out, and the safe mode puts
  // the system directories before it for the path searches.
  if (const auto setDllDirectory = KernelFunction<SetDllDirectoryFunction>("SetDllDirectoryW")) setDllDirectory(L"");
  if (const auto setMode = KernelFunction<SetSearchPathModeFunction>("SetSearchPathMode")) setMode(kSafeSearchForGood);
}

HMODULE LoadSystemLibrary(const char* name) {
  const std::string directory = SystemDirectory();
  if (directory.empty()) return nullptr;
  // With a full path the altered search begins the dependencies' search in
  // the system directory too, where the flags of today's systems are missing.
  return LoadLibraryExA((directory + "\\" + name).c_str(), nullptr,
                        g_systemDirectoryOnly ? kSearchSystem32 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace vnx

#pragma once
// A function of a loaded library, looked up by name at run time: for
// functions that older systems lack, and for libraries that are not
// imported (common/system_libraries.h). Null when the library or the
// function is absent.

#include <windows.h>

namespace vnx {

template <class Function>
Function LibraryFunction(HMODULE library, const char* name) noexcept {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

template <class Function>
Function KernelFunction(const char* name) noexcept {
  return LibraryFunction<Function>(GetModuleHandleA("kernel32.dll"), name);
}

}  // namespace vnx

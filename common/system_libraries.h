#pragma once
// Windows looks for a library that is not one of its known DLLs in the
// program's own folder first, and a presentation's folder is a download
// folder that other downloads share. Our programs therefore import known
// DLLs only, load every other system library by its full path in the system
// directory, and restrict the search of all later loads to that directory.

#include <windows.h>

namespace vnx {

// First thing in a program, before any window, dialog or other library:
// later loads by name search the system directory only (where the system
// can say so; elsewhere the current directory at least leaves the search).
void KeepLibrarySearchInSystemDirectory();

// The system library of that name ("winmm.dll") from the system directory,
// its dependencies from there too; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace vnx

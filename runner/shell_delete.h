#pragma once
// Deleting with the shell: whole trees, read-only files, wildcards.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace vnx {

inline constexpr FILEOP_FLAGS kQuietDelete = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x0414
inline constexpr FILEOP_FLAGS kQuietDeleteToRecycleBin = kQuietDelete | FOF_ALLOWUNDO;         // 0x0454

// True when the shell reports success.
bool ShellDelete(const std::string& path, FILEOP_FLAGS flags);

}  // namespace vnx

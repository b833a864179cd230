#pragma once
// The per-file handler's file-system answers on Windows.

#include <functional>
#include <string>

#include "session/file_roles.h"

namespace vnx {

// Exists, and DeleteFile fails on it (it is in use); an existing file that
// can be deleted is deleted.
bool ExistsAndCannotBeDeleted(const std::string& path);

// The system code page, the real file system and the given destination check.
FileRoleEnvironment Win32FileRoleEnvironment(std::function<bool(const std::string&)> placementIsSafe);

}  // namespace vnx

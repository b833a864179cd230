#pragma once
// Where a session may write. A session can be damaged or crafted; whatever it
// says, every file lands inside the destination directory. The reader judges
// each stored file name here, and the per-file handler judges a placement
// here before it turns one into a subdirectory.

#include <string_view>

namespace vnx {

// A plain file name: not empty, not "." or ".." (nor any name made only of
// dots and blanks, which Windows reads as one of them), no "\", "/" or ":"
// (no directory part, drive or alternate stream), no NUL, and not a device
// name such as "CON" or "lpt1.txt", which Windows opens as the device.
bool IsSafeFileName(std::string_view name);

// A subdirectory of the target directory: a relative path of one or more
// components separated by "\" or "/", each of them a safe file name, with at
// most one trailing separator. Absolute paths, drives and ".." are refused.
bool IsSafeSubdirectory(std::string_view relativeDir);

// A placement field as the per-file handler reads it: empty and "." mean the
// target directory itself, a tag beginning with "PTOOL." is not a path at all;
// anything else must be a safe subdirectory.
bool IsSafePlacement(std::string_view placement);

}  // namespace vnx

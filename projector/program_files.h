#pragma once
// The projector's own directory and the small files it reads from there.

#include <optional>
#include <string>

namespace vnx {

// The directory of the running executable, with a trailing backslash.
std::string ProgramDirectory();

inline constexpr unsigned long kSmallFileLimit = 64 * 1024;

// The whole file; nullopt when it does not exist or cannot be opened. A
// file larger than kSmallFileLimit throws "<path> is larger than 64 KiB".
std::optional<std::string> ReadSmallFile(const std::string& path);

}  // namespace vnx

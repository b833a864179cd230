#pragma once
// A FILETIME as the tool prints it: "YYYY-MM-DD hh:mm:ss" in UTC.

#include <cstdint>
#include <string>

namespace vnx {

std::string FileTimeText(std::uint64_t fileTime);

}  // namespace vnx

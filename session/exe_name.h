#pragma once
// The executable's file name and its stem, under which the per-user values
// are kept and which gives a presentation its default screen name.

#include <string>
#include <string_view>

namespace vnx {

// The part of a path after its last "\", "/" or ":".
std::string FileNamePart(std::string_view path);
// The executable name cut before the first ".exe" (letter case ignored);
// empty when the name holds no ".exe".
std::string ExeStemOf(std::string_view exeFileName);

}  // namespace vnx

#pragma once
// The runner's identity from its command line: its executable's name, the
// stem under which its per-user values are kept, and the "/C" Setup mode.

#include <string>
#include <string_view>
#include <vector>

namespace vnx {

// Splits a command line the way the runner's arguments are numbered: blanks
// and control characters separate, double quotes group and are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// The first argument after the program name, or empty.
std::string FirstArgument(std::string_view commandLine);

// The part of a path after its last "\", "/" or ":".
std::string FileNamePart(std::string_view path);
// The executable name cut before the first ".exe" (letter case ignored);
// empty when the name holds no ".exe".
std::string ExeStemOf(std::string_view exeFileName);
bool IsSetupArgument(std::string_view firstArgument);
// The directory of a program path without its trailing "", except for a
// drive's root ("C:").
std::string ProgramDirectory(std::string_view programPath);

}  // namespace vnx

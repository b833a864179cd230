#pragma once
// What every command shares: its --help, the parsing of its arguments, and
// the report of a failure (the message alone, exit code 1).

#include <functional>
#include <ostream>
#include <set>
#include <string>

#include "tools/vnxpack/command_line.h"
#include "tools/vnxpack/commands.h"

namespace vnx {

struct CommandShape {
  const char* Name;
  const char* Help;  // the whole --help text
  std::set<std::string> ValueOptions;
  std::set<std::string> FlagOptions;
  std::size_t MinPositional = 0;
  std::size_t MaxPositional = 0;
};

// Runs body with the parsed arguments; it returns the exit code or raises.
int RunCommand(const CommandShape& shape, const Arguments& arguments, std::ostream& out, std::ostream& err,
               const std::function<int(const ParsedArguments&)>& body);

}  // namespace vnx

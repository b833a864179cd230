#include "tools/vnxpack/command_runner.h"

#include <exception>

namespace vnx {

int RunCommand(const CommandShape& shape, const Arguments& arguments, std::ostream& out, std::ostream& err,
               const std::function<int(const ParsedArguments&)>& body) {
  ParsedArguments parsed;
  try {
    parsed = ParseArguments(arguments, shape.ValueOptions, shape.FlagOptions);
    if (parsed.Help) {
      out << shape.Help;
      return 0;
    }
    if (parsed.Positional.size() < shape.MinPositional) throw EUsageError("missing arguments");
    if (parsed.Positional.size() > shape.MaxPositional)
      throw EUsageError("unexpected argument \"" + parsed.Positional[shape.MaxPositional] + "\"");
  } catch (const EUsageError& error) {
    err << "vnxpack " << shape.Name << ": " << error.what() << "\n"
        << "Try: vnxpack " << shape.Name << " --help\n";
    return 2;
  }
  try {
    return body(parsed);
  } catch (const std::exception& error) {
    err << error.what() << "\n";
    return 1;
  }
}

}  // namespace vnx

#include "tools/vnxpack/command_line.h"

namespace vnx {

std::string ParsedArguments::Value(const std::string& option, const std::string& fallback) const {
  const auto found = Values.find(option);
  return found == Values.end() ? fallback : found->second;
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
                               const std::set<std::string>& flagOptions) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      parsed.Positional.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      parsed.Help = true;
    } else if (valueOptions.count(argument)) {
      if (i + 1 == arguments.size()) throw EUsageError(argument + " needs a value");
      if (!parsed.Values.emplace(argument, arguments[++i]).second) throw EUsageError(argument + " given twice");
    } else if (flagOptions.count(argument)) {
      parsed.Flags.insert(argument);
    } else {
      throw EUsageError("unknown option " + argument);
    }
  }
  return parsed;
}

}  // namespace vnx

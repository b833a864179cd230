#pragma once
// The authoring tool's arguments: options with a value ("-o OUT"), flags
// ("--append") and positional arguments, in any order; "--" ends the options.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vnx {

// A command line the command does not understand; the tool prints the
// message with a hint to --help and exits with 2.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ParsedArguments {
  std::map<std::string, std::string> Values;
  std::set<std::string> Flags;
  std::vector<std::string> Positional;
  bool Help = false;  // "--help" or "-h" anywhere before "--"

  bool Has(const std::string& option) const { return Values.count(option) != 0; }
  std::string Value(const std::string& option, const std::string& fallback = {}) const;
};

// Raises EUsageError for an unknown option, an option without its value, or
// an option given twice.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
                               const std::set<std::string>& flagOptions);

}  // namespace vnx

#include "tools/vnxpack/vnxpack.h"

#include <functional>
#include <map>

#include "common/version.h"
#include "tools/vnxpack/commands.h"

namespace vnx {
namespace {

constexpr const char* kUsage =
    "usage: vnxpack COMMAND [ARGS...]\n"
    "\n"
    "Writes and inspects the sessions a runner carries behind its program image.\n"
    "\n"
    "commands:\n"
    "  build          append a session of files to a copy of a runner\n"
    "  list           show every session and its files\n"
    "  extract        extract a session the way the runner does\n"
    "  verify         check every session completely, writing nothing\n"
    "  settings       print the settings the runner reads, as JSON\n"
    "  hash-password  print the hash an author writes into \"AlignmentX\"\n"
    "\n"
    "vnxpack COMMAND --help tells more; vnxpack --version tells its version.\n";

using Command = std::function<int(const Arguments&, const PackHost&, std::ostream&, std::ostream&)>;

}  // namespace

int VnxpackMain(const std::vector<std::string>& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  static const std::map<std::string, Command> commands = {
      {"build", RunBuild},   {"list", RunList},         {"extract", RunExtract},
      {"verify", RunVerify}, {"settings", RunSettings}, {"hash-password", RunHashPassword},
  };
  if (arguments.empty()) {
    err << kUsage;
    return 2;
  }
  if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
    out << kUsage;
    return 0;
  }
  if (arguments[0] == "--version") {
    out << "vnxpack " << VNX_VERSION_TEXT << "\n";
    return 0;
  }
  const auto command = commands.find(arguments[0]);
  if (command == commands.end()) {
    err << "vnxpack: unknown command \"" << arguments[0] << "\"\n" << kUsage;
    return 2;
  }
  return command->second(Arguments(arguments.begin() + 1, arguments.end()), host, out, err);
}

}  // namespace vnx

// vnxpack hash-password: the value an author writes into "AlignmentX".

#include "session/password_hash.h"
#include "tools/vnxpack/command_runner.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack hash-password TEXT\n"
    "\n"
    "Prints the password hash of TEXT in decimal: the value of \"AlignmentX\" in\n"
    "the presentation's settings that locks it with this password. Blanks and\n"
    "control characters around TEXT do not count; the bytes are taken as given\n"
    "(the code page in which the viewer types matters). A TEXT that begins with\n"
    "\"-\" follows \"--\": vnxpack hash-password -- -TEXT\n";

}  // namespace

int RunHashPassword(const Arguments& arguments, const PackHost&, std::ostream& out, std::ostream& err) {
  const CommandShape shape{"hash-password", kHelp, {}, {}, 1, 1};
  return RunCommand(shape, arguments, out, err, [&](const ParsedArguments& parsed) {
    out << PasswordHash(parsed.Positional[0]) << "\n";
    return 0;
  });
}

}  // namespace vnx

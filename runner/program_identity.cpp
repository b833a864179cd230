#include "runner/program_identity.h"

#include "common/text.h"

namespace vnx {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const auto separator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  for (;;) {
    while (i < commandLine.size() && separator(commandLine[i])) ++i;
    if (i == commandLine.size()) return arguments;
    std::string argument;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !separator(commandLine[i])); ++i) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        argument += commandLine[i];
    }
    arguments.push_back(std::move(argument));
  }
}

namespace {

// An unsigned decimal window handle of at most 32 bits; 0 for anything else.
std::uint32_t WindowNumber(std::string_view text) {
  if (text.empty() || text.size() > 10) return 0;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value <= UINT32_MAX ? static_cast<std::uint32_t>(value) : 0;
}

}  // namespace

StartRequest ParseStartRequest(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return {};
  const std::string_view first = arguments[1];
  if (first.size() < 2 || (first[0] != '/' && first[0] != '-')) return {};
  const char letter = LowerAscii(first.substr(1, 1))[0];
  const std::string_view rest = first.substr(2);
  if (!rest.empty() && rest[0] != ':') return {};
  // "/c:1234" and "/p:1234" carry their window; "/c 1234" has it in the next argument.
  const std::string_view window = !rest.empty()          ? rest.substr(1)
                                  : arguments.size() > 2 ? std::string_view(arguments[2])
                                                         : std::string_view();
  switch (letter) {
    case 'c': return {StartMode::Setup, WindowNumber(window)};
    case 's': return {StartMode::Presentation, 0, true};
    case 'p': return {StartMode::Nothing, 0, false, WindowNumber(window)};
    case 'a': return {StartMode::Nothing, 0};
    default: return {};
  }
}

std::string ProgramDirectory(std::string_view programPath) {
  const auto cut = programPath.find_last_of("\\:");
  if (cut == std::string_view::npos) return std::string();
  std::string directory(programPath.substr(0, cut + 1));
  const bool driveRoot = directory.size() == 3 && directory[1] == ':';
  if (directory.back() == '\\' && !driveRoot && directory.size() > 1) directory.pop_back();
  return directory;
}

}  // namespace vnx

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

std::string FirstArgument(std::string_view commandLine) {
  const auto arguments = SplitCommandLine(commandLine);
  return arguments.size() > 1 ? arguments[1] : std::string();
}

std::string FileNamePart(std::string_view path) {
  const auto cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExeStemOf(std::string_view exeFileName) {
  const auto cut = FindIgnoringCase(exeFileName, ".exe");
  return cut == std::string_view::npos ? std::string() : std::string(exeFileName.substr(0, cut));
}

bool IsSetupArgument(std::string_view firstArgument) { return UpperAscii(firstArgument) == "/C"; }

std::string ProgramDirectory(std::string_view programPath) {
  const auto cut = programPath.find_last_of("\\:");
  if (cut == std::string_view::npos) return std::string();
  std::string directory(programPath.substr(0, cut + 1));
  const bool driveRoot = directory.size() == 3 && directory[1] == ':';
  if (directory.back() == '\\' && !driveRoot && directory.size() > 1) directory.pop_back();
  return directory;
}

}  // namespace vnx

#include "runner/before_show.h"

#include "common/text.h"

namespace vnx {

BeforeShowCommand ParseBeforeShow(std::string_view text) {
  BeforeShowCommand command;
  const auto blank = text.find(' ');
  command.file = std::string(text.substr(0, blank));
  if (blank != std::string_view::npos) command.arguments = std::string(text.substr(blank + 1));
  const auto dot = command.file.find_last_of(".\\");
  const std::string extension =
      dot == std::string::npos || command.file[dot] != '.' ? std::string() : LowerAscii(command.file.substr(dot));
  if (extension == ".dll") command.kind = BeforeShowCommand::Kind::Library;
  if (extension == ".exe") command.kind = BeforeShowCommand::Kind::Program;
  return command;
}

}  // namespace vnx

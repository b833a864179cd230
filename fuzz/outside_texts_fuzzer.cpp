// Arbitrary texts that other programs hand the runner: the presentation's
// WM_SETTEXT commands (on channel 0, 1 or another) and the command line a
// screen-saver host starts it with. The first byte chooses; the rest, split
// at NUL bytes, is the text and, for the commands, the DDE application and
// topic the runner knows. Every answer must be one the runner can act on.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runner/program_identity.h"
#include "window/set_text_command.h"

namespace {

std::vector<std::string_view> SplitAtNul(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t cut; (cut = text.find('\0')) != std::string_view::npos; text.remove_prefix(cut + 1))
    parts.push_back(text.substr(0, cut));
  parts.push_back(text);
  return parts;
}

void CheckSetText(std::uintptr_t channel, const std::vector<std::string_view>& parts) {
  const std::string_view text = parts[0];
  const std::string_view application = parts.size() > 1 ? parts[1] : "IExplore";
  const std::string_view topic = parts.size() > 2 ? parts[2] : "WWW_OpenURL";
  const vnx::SetTextCommand command = vnx::ParseSetTextCommand(channel, text, application, topic);
  using Kind = vnx::SetTextCommand::Kind;
  const unsigned id = command.commandId;
  if (id != 0 && (id < 130 || id > 133)) __builtin_trap();
  if (command.kind != Kind::Command && (id != 0 || command.releaseSenderEarly)) __builtin_trap();
  if (command.kind == Kind::Command && channel != 0) __builtin_trap();
  if (command.kind == Kind::DdeRequest && channel > 1) __builtin_trap();
}

void CheckCommandLine(std::string_view commandLine) {
  const std::vector<std::string> arguments = vnx::SplitCommandLine(commandLine);
  for (const std::string& argument : arguments)
    for (const char c : argument)
      if (c == '"') __builtin_trap();  // quotes group, they never stay
  const vnx::StartRequest request = vnx::ParseStartRequest(arguments);
  if (request.Mode != vnx::StartMode::Setup && request.OwnerWindow != 0) __builtin_trap();
  (void)vnx::ExeStemOf(arguments.empty() ? std::string() : vnx::FileNamePart(arguments[0]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 4) {
    case 0: CheckCommandLine(rest); break;
    default: CheckSetText(data[0] % 4 - 1, SplitAtNul(rest)); break;
  }
  return 0;
}

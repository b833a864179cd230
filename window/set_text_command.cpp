#include "window/set_text_command.h"

#include "common/text.h"

namespace vnx {
namespace {

bool StartsWithLower(std::string_view text, std::string_view lowerPrefix) {
  return text.size() >= lowerPrefix.size() && LowerAscii(text.substr(0, lowerPrefix.size())) == lowerPrefix;
}

unsigned CommandIdOfVerb(std::string_view verb) {
  const std::string lower = LowerAscii(verb);
  if (lower == "setup") return 130;
  if (lower == "minimize") return 131;
  if (lower == "fullscreen") return 132;
  if (lower == "nofullscreen") return 133;
  return 0;
}

// Removes "<expected>:" from the front of rest, compared with letter case.
bool TakeField(std::string_view& rest, std::string_view expected) {
  if (rest.size() < expected.size() + 1 || rest.substr(0, expected.size()) != expected || rest[expected.size()] != ':')
    return false;
  rest.remove_prefix(expected.size() + 1);
  return true;
}

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool IsValidDdeRequest(std::string_view text, std::string_view application, std::string_view topic) {
  if (!StartsWithLower(text, "dde:")) return false;
  std::string_view rest = text.substr(4);
  if (!TakeField(rest, application) || !TakeField(rest, topic)) return false;
  rest = TrimControls(rest);
  // A quoted address may be followed by a parameter list; an unquoted one
  // carries an implicit single blank as its parameters.
  std::string_view parameters = " ";
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    const auto close = rest.find('"');
    parameters = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
  }
  return !parameters.empty();
}

}  // namespace

SetTextCommand ParseSetTextCommand(std::uintptr_t channel, std::string_view text, std::string_view ddeApplication,
                                   std::string_view ddeTopic) {
  SetTextCommand result;
  if (channel == 0) {
    std::size_t prefix = 0;
    if (StartsWithLower(text, "pcommandw:")) {
      prefix = 10;
    } else if (StartsWithLower(text, "pcommand:")) {
      prefix = 9;
      result.releaseSenderEarly = true;
    }
    if (prefix != 0) {
      result.kind = SetTextCommand::Kind::Command;
      result.commandId = CommandIdOfVerb(text.substr(prefix));
      return result;
    }
  }
  if ((channel == 0 || channel == 1) && IsValidDdeRequest(text, ddeApplication, ddeTopic))
    result.kind = SetTextCommand::Kind::DdeRequest;
  return result;
}

}  // namespace vnx

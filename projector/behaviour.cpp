#include "projector/behaviour.h"

#include <charconv>
#include <set>

#include "projector/config_lines.h"

namespace vnx {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw EBehaviourError(std::string(kBehaviourFileName) + " line " + std::to_string(line) + ": " + what);
}

std::uint16_t CommandId(int line, std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
    Fail(line, "command-id needs a number from 1 to 65535, not \"" + std::string(text) + "\"");
  // WM_COMMAND carries the id in 16 bits, so another item's id would be
  // indistinguishable from it.
  if (value == kProjectorExitCommand || value == kProjectorPauseCommand)
    Fail(line, "command-id " + std::to_string(value) + " belongs to another menu item");
  return static_cast<std::uint16_t>(value);
}

// A whole decimal number from `least` to `most`.
std::uint32_t Number(int line, std::string_view keyword, std::string_view text, std::uint32_t least,
                     std::uint32_t most) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < least || value > most)
    Fail(line, std::string(keyword) + " needs a number from " + std::to_string(least) + " to " + std::to_string(most) +
                   ", not \"" + std::string(text) + "\"");
  return value;
}

void NoArgument(int line, std::string_view keyword, std::string_view rest) {
  if (!rest.empty()) Fail(line, std::string(keyword) + " takes no value");
}

void Apply(ProjectorBehaviour& b, const ConfigLine& line, std::set<std::string_view>& seen, bool& languageSet) {
  // Named views, not structured bindings: the lambda below captures them.
  const KeywordAndRest split = SplitKeyword(line.Text);
  const std::string_view keyword = split.Keyword, rest = split.Rest;
  if (keyword != "env" && !seen.insert(keyword).second) Fail(line.Number, std::string(keyword) + " given twice");
  const auto setLanguage = [&](MenuLanguage language) {
    NoArgument(line.Number, keyword, rest);
    if (languageSet) Fail(line.Number, "only one menu language can be chosen");
    languageSet = true;
    b.Language = language;
  };
  if (keyword == "no-window") {
    NoArgument(line.Number, keyword, rest);
    b.OpenWindow = false;
  } else if (keyword == "no-sizing-frame") {
    NoArgument(line.Number, keyword, rest);
    b.SizingFrame = false;
  } else if (keyword == "dpi-aware") {
    NoArgument(line.Number, keyword, rest);
    b.DpiAware = true;
  } else if (keyword == "german") {
    setLanguage(MenuLanguage::German);
  } else if (keyword == "portuguese") {
    setLanguage(MenuLanguage::Portuguese);
  } else if (keyword == "command-id") {
    b.FullScreenCommand = CommandId(line.Number, rest);
  } else if (keyword == "log") {
    b.Log = true;
    b.LogPath = std::string(rest);
  } else if (keyword == "exit-at-once") {
    b.ExitAtOnce = static_cast<std::uint8_t>(Number(line.Number, keyword, rest, 0, 255));
  } else if (keyword == "hang-after") {
    b.HangAfter = Number(line.Number, keyword, rest, 1, 600000);
  } else if (keyword == "env") {
    if (rest.empty()) Fail(line.Number, "env needs a variable name");
    b.ExtraVariables.emplace_back(rest);
  } else {
    Fail(line.Number, "unknown keyword \"" + std::string(keyword) + "\"");
  }
}

bool IsAbsolute(std::string_view path) {
  const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  return drive || path.starts_with("\\\\");
}

}  // namespace

ProjectorBehaviour ParseBehaviour(std::string_view text) {
  ProjectorBehaviour behaviour;
  std::set<std::string_view> seen;
  bool languageSet = false;
  for (const ConfigLine& line : ConfigLines(text)) Apply(behaviour, line, seen, languageSet);
  return behaviour;
}

std::string LogFilePath(const ProjectorBehaviour& behaviour, std::string_view programDirectory) {
  if (IsAbsolute(behaviour.LogPath)) return behaviour.LogPath;
  return std::string(programDirectory) + (behaviour.LogPath.empty() ? kDefaultLogFileName : behaviour.LogPath);
}

}  // namespace vnx

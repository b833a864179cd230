#include "projector/config_lines.h"

namespace vnx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<ConfigLine> ConfigLines(std::string_view text) {
  std::vector<ConfigLine> lines;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view raw = text.substr(0, end);
    ++number;
    if (end == std::string_view::npos) {
      text = {};
    } else {
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      text.remove_prefix(end + (crlf ? 2 : 1));
    }
    const std::string_view line = Trimmed(raw);
    if (!line.empty() && line.front() != '#') lines.push_back({number, line});
  }
  return lines;
}

KeywordAndRest SplitKeyword(std::string_view line) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), Trimmed(line.substr(blank))};
}

}  // namespace vnx

#include "projector/log_format.h"

#include <algorithm>

namespace vnx {

std::string LogLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  line += "\r\n";
  return line;
}

std::vector<LogEntry> ParseLog(std::string_view text) {
  // Values are kept byte for byte, blanks at either end included.
  std::vector<LogEntry> log;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    log.push_back({std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
  }
  return log;
}

std::optional<std::string> LastLogValue(const std::vector<LogEntry>& log, std::string_view key) {
  const auto hit = std::find_if(log.rbegin(), log.rend(), [key](const LogEntry& e) { return e.Key == key; });
  if (hit == log.rend()) return std::nullopt;
  return hit->Value;
}

std::vector<std::string> LogValues(const std::vector<LogEntry>& log, std::string_view key) {
  std::vector<std::string> values;
  for (const LogEntry& e : log)
    if (e.Key == key) values.push_back(e.Value);
  return values;
}

}  // namespace vnx

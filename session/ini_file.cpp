#include "session/ini_file.h"

#include "common/integer_text.h"
#include "common/text.h"

namespace vnx {
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  // "0x" is the settings files' own spelling of "$".
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseInteger("$" + std::string(text.substr(2)));
  return ParseInteger(text);
}

bool BoolFromText(std::string_view text, bool defaultValue) {
  const auto value = ParseIniInteger(text);
  return value ? *value != 0 : defaultValue;
}

IniFile::IniFile(std::string_view text) {
  for (const std::string& line : SplitLines(text)) {
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    if (sections_.empty()) continue;  // lines before the first section
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;  // matches no name
    sections_.back().Entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view name) const {
  for (const Section& candidate : sections_) {
    if (!EqualsIgnoringCase(candidate.Name, section)) continue;
    for (const auto& [entryName, value] : candidate.Entries)
      if (EqualsIgnoringCase(entryName, name)) return value;
    return std::nullopt;  // only the first section of a name is read
  }
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view name,
                                const std::string& defaultValue) const {
  return Find(section, name).value_or(defaultValue);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view name, std::int32_t defaultValue) const {
  const auto text = Find(section, name);
  if (!text) return defaultValue;
  return ParseIniInteger(*text).value_or(defaultValue);
}

}  // namespace vnx

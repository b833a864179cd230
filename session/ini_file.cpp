#include "session/ini_file.h"

#include <limits>

#include "common/text.h"

namespace vnx {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits in the given base, at least one, the value at most `limit`.
std::optional<std::uint32_t> ParseDigits(std::string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<unsigned>(digit);
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

constexpr std::uint64_t kAllBits = std::numeric_limits<std::uint32_t>::max();

}  // namespace

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
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const auto value = ParseDigits(text.substr(2), 16, kAllBits);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::optional<std::uint32_t> magnitude;
  if (!text.empty() && text[0] == '$') {
    magnitude = ParseDigits(text.substr(1), 16, kAllBits);
  } else {
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    magnitude = ParseDigits(text, 10, limit);
  }
  if (!magnitude) return std::nullopt;
  // Unsigned arithmetic wraps the way a 32-bit register does.
  return static_cast<std::int32_t>(negative ? 0u - *magnitude : *magnitude);
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

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view name,
                                  std::int32_t defaultValue) const {
  const auto text = Find(section, name);
  if (!text) return defaultValue;
  return ParseIniInteger(*text).value_or(defaultValue);
}

}  // namespace vnx

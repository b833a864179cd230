#pragma once
// The INI text of a presentation's settings file, read the way the runner has
// always read it: lines split at CR, LF or CR LF; ";" lines and empty lines
// ignored; "[name]" opens a section; nothing is trimmed, so a blank around
// "=" belongs to the name or the value; names are compared without regard to
// letter case, and the first section and the first entry of a name win.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vnx {

// Lines split at CR, LF or CR LF; a last line terminator adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// "0x"/"0X" followed by hexadecimal digits when longer than two characters;
// otherwise an optional sign and decimal digits or "$" and hexadecimal
// digits. The value must fit 32 bits (hexadecimal up to FFFFFFFF, taken as
// two's complement); anything else gives nothing.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);
// An integer text read as a bool (not 0 is true); the default when the text
// is not an integer.
bool BoolFromText(std::string_view text, bool defaultValue);

class IniFile {
 public:
  explicit IniFile(std::string_view text);

  // The value of the first entry of that name in the first section of that
  // name; nothing when either is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view name) const;
  std::string ReadString(std::string_view section, std::string_view name, const std::string& defaultValue) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view name, std::int32_t defaultValue) const;

 private:
  struct Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Entries;
  };
  std::vector<Section> sections_;
};

}  // namespace vnx

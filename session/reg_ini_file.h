#pragma once
// The per-user registry values under HKEY_CURRENT_USER, read and written like
// an INI file: a section is a sub-key, an entry a REG_SZ value. The runner
// keeps one section per executable name (ExeStem) under "Software\Orrindale".
// Sections are named whole (UTF-8): the name of a program in another script
// than the code page's is its own key. Values are text of the code page.

#include <windows.h>

#include <optional>
#include <string>

#include "common/errors.h"
#include "common/handle.h"

namespace vnx {

inline constexpr char kPerUserKey[] = "Software\\Orrindale";

// "Invalid data type for '<name>'", "Failed to create key <section>",
// "Failed to set data for '<name>'".
class ERegistryException : public ERunnerError {
 public:
  using ERunnerError::ERunnerError;
};

class TRegIniFile {
 public:
  // Opens the key under HKEY_CURRENT_USER, creating it when missing. A key
  // that cannot be opened leaves every read at its default and makes every
  // write fail.
  explicit TRegIniFile(const std::string& keyName = kPerUserKey);

  // The value's text; the default when the section or the value is missing.
  // Raises for a value that is not REG_SZ or REG_EXPAND_SZ.
  std::string ReadString(const std::string& section, const std::string& name, const std::string& defaultValue) const;
  // The value's text read as an integer ("0x"/"$" hexadecimal or decimal),
  // true when not 0; the default when missing or not an integer.
  bool ReadBool(const std::string& section, const std::string& name, bool defaultValue) const;
  // Stores "1" or "0", creating the section when missing.
  void WriteBool(const std::string& section, const std::string& name, bool value);
  // A path the viewer stored, whole; nothing when the section or the value is
  // missing. Raises as ReadString does.
  std::optional<std::wstring> ReadWholeString(const std::string& section, const std::string& name) const;

 private:
  std::optional<std::string> ReadText(const std::string& section, const std::string& name) const;
  UniqueRegistryKey OpenSection(const std::string& section) const;

  UniqueRegistryKey key_;
};

}  // namespace vnx

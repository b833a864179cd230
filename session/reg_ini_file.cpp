#include "session/reg_ini_file.h"

#include "common/system_text.h"
#include "session/ini_file.h"

namespace vnx {
namespace {

// The REG_SZ text of a value, in the characters of the call (char: the code
// page, wchar_t: whole); nothing when it is missing.
template <class Char, class Query>
std::optional<std::basic_string<Char>> QueryText(const std::string& name, Query query) {
  DWORD type = 0, size = 0;
  if (query(&type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
  std::basic_string<Char> data;
  LONG status = ERROR_MORE_DATA;
  while (status == ERROR_MORE_DATA) {  // the value may grow between the two queries
    data.assign(size / sizeof(Char) + 1, Char());
    size = static_cast<DWORD>(data.size() * sizeof(Char));
    status = query(&type, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  data.resize(size / sizeof(Char));
  return data.substr(0, data.find(Char()));  // stored with its terminating zero, or without
}

}  // namespace

TRegIniFile::TRegIniFile(const std::string& keyName) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS)
    key_.reset(key);
}

UniqueRegistryKey TRegIniFile::OpenSection(const std::string& section) const {
  HKEY sectionKey = nullptr;
  if (!key_ || RegOpenKeyExW(key_.get(), WideFromUtf8(section).c_str(), 0, KEY_READ, &sectionKey) != ERROR_SUCCESS)
    return UniqueRegistryKey();
  return UniqueRegistryKey(sectionKey);
}

std::optional<std::string> TRegIniFile::ReadText(const std::string& section, const std::string& name) const {
  const UniqueRegistryKey key = OpenSection(section);
  if (!key) return std::nullopt;
  return QueryText<char>(name, [&](DWORD* type, BYTE* data, DWORD* size) {
    return RegQueryValueExA(key.get(), name.c_str(), nullptr, type, data, size);
  });
}

std::optional<std::wstring> TRegIniFile::ReadWholeString(const std::string& section, const std::string& name) const {
  const UniqueRegistryKey key = OpenSection(section);
  if (!key) return std::nullopt;
  const std::wstring wideName = WideFromCodePage(name);
  return QueryText<wchar_t>(name, [&](DWORD* type, BYTE* data, DWORD* size) {
    return RegQueryValueExW(key.get(), wideName.c_str(), nullptr, type, data, size);
  });
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& defaultValue) const {
  return ReadText(section, name).value_or(defaultValue);
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& name, bool defaultValue) const {
  const auto text = ReadText(section, name);
  return text ? BoolFromText(*text, defaultValue) : defaultValue;
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
  HKEY sectionKey = nullptr;
  if (!key_ || RegCreateKeyExW(key_.get(), WideFromUtf8(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_WRITE, nullptr, &sectionKey, nullptr) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + CodePageRendering(WideFromUtf8(section)));
  const UniqueRegistryKey owner(sectionKey);
  const char* text = value ? "1" : "0";
  if (RegSetValueExA(sectionKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

}  // namespace vnx

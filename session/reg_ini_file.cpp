#include "session/reg_ini_file.h"

#include "session/ini_file.h"

namespace vnx {
namespace {

// The REG_SZ text of a value; nothing when it is missing.
std::optional<std::string> QueryText(HKEY key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
  std::string data;
  LONG status = ERROR_MORE_DATA;
  while (status == ERROR_MORE_DATA) {  // the value may grow between the two queries
    data.assign(size, '\0');
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  data.resize(size);
  return data.substr(0, data.find('\0'));  // stored with its terminating zero, or without
}

}  // namespace

TRegIniFile::TRegIniFile(const std::string& keyName) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS)
    key_.reset(key);
}

std::optional<std::string> TRegIniFile::ReadText(const std::string& section, const std::string& name) const {
  HKEY sectionKey = nullptr;
  if (!key_ || RegOpenKeyExA(key_.get(), section.c_str(), 0, KEY_READ, &sectionKey) != ERROR_SUCCESS)
    return std::nullopt;
  const UniqueRegistryKey owner(sectionKey);
  return QueryText(sectionKey, name);
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
  if (!key_ || RegCreateKeyExA(key_.get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                               &sectionKey, nullptr) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + section);
  const UniqueRegistryKey owner(sectionKey);
  const char* text = value ? "1" : "0";
  if (RegSetValueExA(sectionKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

}  // namespace vnx

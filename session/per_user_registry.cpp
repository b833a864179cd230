#include "session/per_user_registry.h"

#include <utility>

namespace vnx {

RegistryPerUserValues::RegistryPerUserValues(const TRegIniFile& file, std::string exeStem)
    : file_(file), section_(std::move(exeStem)) {}

bool RegistryPerUserValues::ReadBool(const std::string& name, bool defaultValue) {
  return file_.ReadBool(section_, name, defaultValue);
}

std::string RegistryPerUserValues::ReadString(const std::string& name, const std::string& defaultValue) {
  return file_.ReadString(section_, name, defaultValue);
}

}  // namespace vnx

#pragma once
// The per-user values of one runner executable: its ExeStem section of the
// registry accessor.

#include <string>

#include "session/per_user_values.h"
#include "session/reg_ini_file.h"

namespace vnx {

class RegistryPerUserValues final : public PerUserValues {
 public:
  RegistryPerUserValues(const TRegIniFile& file, std::string exeStem);
  bool ReadBool(const std::string& name, bool defaultValue) override;
  std::string ReadString(const std::string& name, const std::string& defaultValue) override;

 private:
  const TRegIniFile& file_;
  std::string section_;
};

}  // namespace vnx

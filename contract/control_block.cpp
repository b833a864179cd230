#include "contract/control_block.h"

#include <algorithm>
#include <cstring>

namespace vnx {

std::string ReadShortString(const ShortString& field) { return std::string(field.Text, field.Length); }

void WriteShortString(ShortString& field, std::string_view text) noexcept {
  const std::size_t length = std::min<std::size_t>(text.size(), sizeof field.Text);
  std::memset(field.Text, 0, sizeof field.Text);
  std::memcpy(field.Text, text.data(), length);
  field.Length = static_cast<std::uint8_t>(length);
}

std::string InstanceSuffixFor(std::int32_t instance) {
  std::string suffix(kInstanceSuffixBase);
  if (instance != 0) suffix += std::to_string(instance);
  return suffix;
}

std::string MappingNameFor(std::int32_t instance) {
  return std::string(kMappingBaseName) + InstanceSuffixFor(instance);
}

std::optional<std::string> InstanceSuffixFromWorkDirName(std::string_view name) {
  const std::optional<std::int32_t> instance = InstanceFromWorkDirName(name);
  if (!instance) return std::nullopt;
  return InstanceSuffixFor(*instance);
}

}  // namespace vnx

// The instance names that the engine library needs inside other processes:
// nothing here allocates or throws.
#include "contract/control_block.h"

namespace vnx {
namespace {

char LowerAsciiChar(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::int32_t> InstanceFromWorkDirName(std::string_view name) noexcept {
  const std::size_t base = kWorkDirBaseName.size();
  if (name.size() < base || !SameLetters(std::string_view(name.data(), base), kWorkDirBaseName)) return std::nullopt;
  std::string_view digits = name;
  digits.remove_prefix(base);
  if (digits.empty()) return 0;
  if (digits.front() == '0') return std::nullopt;  // the runner writes no leading zeros, nor "0"
  std::int64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

FixedMappingName FixedMappingNameFor(std::int32_t instance) noexcept {
  FixedMappingName name{};
  char* out = name.Text;
  for (const char c : kMappingBaseName) *out++ = c;
  for (const char c : kInstanceSuffixBase) *out++ = c;
  if (instance != 0) {
    // Digits of the magnitude, written backwards, then reversed into place.
    char digits[12];
    int count = 0;
    std::int64_t value = instance;
    if (value < 0) {
      *out++ = '-';
      value = -value;
    }
    while (value > 0) {
      digits[count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    while (count > 0) *out++ = digits[--count];
  }
  *out = '\0';
  return name;
}

}  // namespace vnx

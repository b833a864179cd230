#include "common/integer_text.h"

namespace vnx {
namespace {

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Hexadecimal texts may fill all 32 bits ("$FFFFFFFF" is -1); decimal ones
  // must fit the signed range.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(negative ? (0u - static_cast<std::uint32_t>(value)) : value);
  return static_cast<std::int32_t>(bits);
}

}  // namespace vnx

#pragma once
// Integers written as text the way settings, registry values and
// environment variables hold them: an optional sign and decimal digits, or
// "$" and hexadecimal digits, within 32 bits; nothing else, no blanks.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vnx {

std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace vnx

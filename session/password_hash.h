#pragma once
// The 32-bit hash under which a presentation stores its password (the
// settings key "AlignmentX"). Only bytes count; blanks and control characters
// around the text do not. The result is always below 0x19999999.

#include <cstdint>
#include <string_view>

namespace vnx {

std::uint32_t PasswordHash(std::string_view text);

}  // namespace vnx

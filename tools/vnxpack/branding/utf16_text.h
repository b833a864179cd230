#pragma once
// The author gives text in UTF-8; resources store UTF-16LE. The conversion
// happens here, once, for both the version strings and resource names.

#include <optional>
#include <string>
#include <string_view>

namespace vnx {

// Nothing when the text is not valid UTF-8 (a broken or overlong sequence, a
// surrogate, a code point above U+10FFFF).
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

}  // namespace vnx

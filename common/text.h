#pragma once
// Byte-string helpers for the runner's ANSI texts. Letter case is folded for
// ASCII letters only, the way the runner's keyword and name comparisons do it.

#include <string>
#include <string_view>

namespace vnx {

std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Position of the first occurrence of needle in text, letter case ignored;
// std::string_view::npos when absent.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle);

}  // namespace vnx

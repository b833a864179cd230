#include "common/text.h"

#include <algorithm>

namespace vnx {
namespace {

char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), LowerChar);
  return result;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(), UpperChar);
  return result;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view needle) {
  const auto hit = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                               [](char x, char y) { return LowerChar(x) == LowerChar(y); });
  if (hit == text.end() && !needle.empty()) return std::string_view::npos;
  return static_cast<std::size_t>(hit - text.begin());
}

}  // namespace vnx

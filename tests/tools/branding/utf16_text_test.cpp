#include "tools/vnxpack/branding/utf16_text.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(Utf16FromUtf8, ConvertsValidText) {
  struct Case {
    const char* utf8;
    std::u16string utf16;
  } const cases[] = {
      {"", u""},
      {"Show 1", u"Show 1"},
      {"\x7F", u"\x7F"},
      {"\xC2\x80", u"\u0080"},  // the smallest two-byte sequence
      {"Pr\xC3\xA4sentation", u"Pr\u00e4sentation"},
      {"\xE0\xA0\x80", u"\u0800"},                      // the smallest three-byte sequence
      {"\xED\x9F\xBF \xEE\x80\x80", u"\uD7FF \uE000"},  // either side of the surrogates
      {"\xEF\xBF\xBF", u"\uFFFF"},
      {"\xF0\x9F\x8E\xAC", u"\U0001F3AC"},  // a surrogate pair
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
}

TEST(Utf16FromUtf8, RefusesInvalidText) {
  const char* const cases[] = {
      "\x80",              // a continuation without a lead
      "\xC3",              // cut short
      "ab\xE2\x82",        // cut short at the end
      "\xC3\x28",          // a lead without its continuation
      "\xC0\xAF",          // overlong '/'
      "\xE0\x80\xAF",      // overlong '/'
      "\xF0\x80\x80\xAF",  // overlong '/'
      "\xED\xA0\x80",      // a surrogate
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xF8\x88\x80\x80\x80",
      "\xFF",
  };
  for (const char* c : cases) EXPECT_EQ(Utf16FromUtf8(c), std::nullopt) << ::testing::PrintToString(std::string(c));
}

}  // namespace
}  // namespace vnx

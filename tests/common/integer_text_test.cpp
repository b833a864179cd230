#include "common/integer_text.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(IntegerText, DecimalAndDollarHexWithin32Bits) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } const cases[] = {
      {"0", 0},
      {"640", 640},
      {"+7", 7},
      {"-7", -7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"$280", 640},
      {"$ffffffff", -1},
      {"$100000000", std::nullopt},
      {"-$10", -16},
      {"800px", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x10", std::nullopt},  // "0x" is the settings reader's own addition
      {"00000000000000000000012", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace vnx

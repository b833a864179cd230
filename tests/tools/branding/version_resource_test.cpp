#include "tools/vnxpack/branding/version_resource.h"

#include <gtest/gtest.h>

#include "tests/tools/branding/pe_fixture.h"

namespace vnx {
namespace {

TEST(ParseVersionNumber, FourNumbersUpTo65535) {
  struct Case {
    const char* text;
    std::optional<VersionNumber> number;
  } const cases[] = {
      {"1.2.3.4", VersionNumber{1, 2, 3, 4}},
      {"0.0.0.0", VersionNumber{0, 0, 0, 0}},
      {"65535.65535.65535.65535", VersionNumber{65535, 65535, 65535, 65535}},
      {"007.0.10.0100", VersionNumber{7, 0, 10, 100}},
      {"", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.2.3.4.5", std::nullopt},
      {"1.2.3.", std::nullopt},
      {"1..3.4", std::nullopt},
      {"1.2.3.65536", std::nullopt},
      {"1.2.3.99999999999", std::nullopt},
      {"-1.2.3.4", std::nullopt},
      {"+1.2.3.4", std::nullopt},
      {" 1.2.3.4", std::nullopt},
      {"1.2.3.4 ", std::nullopt},
      {"1,2,3,4", std::nullopt},
      {"v1.2.3.4", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseVersionNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(ReadFixedVersions, OnlyFromAValidFixedPart) {
  const test::Bytes valid = test::FixedOnlyVersion(0x00010002, 0x00030004);
  const auto read = ReadFixedVersions(valid);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->File, (VersionNumber{1, 2, 3, 4}));
  EXPECT_EQ(read->Product, (VersionNumber{1, 2, 3, 4}));
  struct Case {
    const char* name;
    std::size_t at;
    std::uint8_t value;
  } const broken[] = {
      {"another key", 6, 'W'},
      {"no signature", 40, 0xBE},
      {"no fixed part", 2, 0},
  };
  for (const Case& c : broken) {
    test::Bytes data = valid;
    data[c.at] = c.value;
    EXPECT_EQ(ReadFixedVersions(data), std::nullopt) << c.name;
  }
  EXPECT_EQ(ReadFixedVersions(test::Bytes(valid.begin(), valid.end() - 1)), std::nullopt) << "cut short";
}

}  // namespace
}  // namespace vnx

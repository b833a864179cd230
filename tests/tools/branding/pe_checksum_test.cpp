#include "tools/vnxpack/branding/pe_image.h"

#include <gtest/gtest.h>

#include "tests/tools/branding/pe_fixture.h"

namespace vnx {
namespace {

// Odd lengths and a field straddling two words as well as the usual case,
// over bytes whose sums carry many times.
TEST(PeChecksum, MatchesTheStandardSum) {
  struct Case {
    std::size_t size;
    std::size_t field;
  } const cases[] = {{0x400, 0xD8}, {0x401, 0xD8}, {0x1000, 0x41}, {64, 60}, {7, 2}};
  for (const Case& c : cases) {
    test::Bytes image = test::Pattern(c.size, 0xF3);
    for (std::size_t i = 0; i < image.size(); i += 3) image[i] = 0xFF;
    EXPECT_EQ(PeChecksum(image, c.field), test::ExpectedChecksum(image, c.field)) << c.size << " " << c.field;
  }
}

}  // namespace
}  // namespace vnx

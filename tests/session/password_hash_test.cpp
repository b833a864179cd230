#include "session/password_hash.h"

#include <gtest/gtest.h>

#include <string>

namespace vnx {
namespace {

// Expected values computed apart from this code, from the algorithm's text
// (a script with arbitrary-precision integers).
TEST(PasswordHash, KnownValues) {
  EXPECT_EQ(PasswordHash("secret"), 226617842u);
  EXPECT_EQ(PasswordHash(""), 323923496u);
  EXPECT_EQ(PasswordHash("CanCel"), 322176871u);
  EXPECT_EQ(PasswordHash("se cret"), 129220904u);
  EXPECT_EQ(PasswordHash("Password123"), 299459966u);
}

TEST(PasswordHash, BlanksAndControlCharactersAroundTheTextDoNotCount) {
  EXPECT_EQ(PasswordHash("  secret \t"), PasswordHash("secret"));
  EXPECT_EQ(PasswordHash("\r\nsecret\x1F"), PasswordHash("secret"));
  EXPECT_NE(PasswordHash("se cret"), PasswordHash("secret"));
  EXPECT_EQ(PasswordHash("   "), PasswordHash(""));
  EXPECT_NE(PasswordHash("secret\x7F"), PasswordHash("secret"));  // 127 is above the blanks
}

TEST(PasswordHash, TheCancelMarkerHashesLikeCanCel) {
  // The dialog's cancel marker: 0x01, "CanCel", 0x0E; trimming drops both
  // control characters.
  EXPECT_EQ(PasswordHash(std::string("\001CanCel\016")), PasswordHash("CanCel"));
  EXPECT_EQ(PasswordHash(" CanCel "), PasswordHash("CanCel"));
  EXPECT_NE(PasswordHash("cancel"), PasswordHash("CanCel"));
}

TEST(PasswordHash, BytesAboveAsciiAndResultRange) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  EXPECT_EQ(PasswordHash(every), 328102497u);
  for (const char* text : {"", "a", "secret", "\xE4\xF6\xFC", "a much longer password with blanks"})
    EXPECT_LT(PasswordHash(text), 0x19999999u) << text;
}

}  // namespace
}  // namespace vnx

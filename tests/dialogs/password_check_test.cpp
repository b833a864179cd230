#include "dialogs/password_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "session/password_hash.h"

namespace vnx {
namespace {

// The viewer's answers in turn, and what the lock made of them.
struct Outcome {
  bool accepted;
  int asked, reported;
};

Outcome Ask(bool locked, std::int32_t storedHash, const std::vector<std::string>& answers) {
  Outcome outcome{false, 0, 0};
  outcome.accepted = PasswordAccepted(
      locked, storedHash, [&] { return answers.at(static_cast<std::size_t>(outcome.asked++)); },
      [&] { ++outcome.reported; });
  return outcome;
}

std::int32_t StoredHashOf(const char* password) { return static_cast<std::int32_t>(PasswordHash(password)); }

TEST(PasswordCheck, ThreeAttemptsAndTheCancelMarker) {
  const std::string cancel(kCancelMarker);
  struct Case {
    const char* name;
    bool locked;
    std::int32_t stored;
    std::vector<std::string> answers;
    Outcome expected;
  } const cases[] = {
      {"lock off asks nothing", false, StoredHashOf("secret"), {}, {true, 0, 0}},
      {"right at once", true, StoredHashOf("secret"), {"secret"}, {true, 1, 0}},
      {"blanks around do not count", true, StoredHashOf("secret"), {"  secret\t"}, {true, 1, 0}},
      {"right at the third attempt", true, StoredHashOf("secret"), {"x", "", "secret"}, {true, 3, 2}},
      {"three wrong", true, StoredHashOf("secret"), {"a", "b", "c"}, {false, 3, 3}},
      {"cancelled after one wrong", true, StoredHashOf("secret"), {"a", cancel}, {false, 2, 1}},
      {"typed CanCel cancels", true, StoredHashOf("secret"), {" CanCel "}, {false, 1, 0}},
      {"locked with CanCel, a cancel opens", true, StoredHashOf("CanCel"), {cancel}, {true, 1, 0}},
      {"no stored hash is 0", true, 0, {"0", "", "secret"}, {false, 3, 3}},
      {"a hash no text can have", true, 0x19999999, {"a", "b", "c"}, {false, 3, 3}},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Ask(c.locked, c.stored, c.answers);
    EXPECT_EQ(outcome.accepted, c.expected.accepted) << c.name;
    EXPECT_EQ(outcome.asked, c.expected.asked) << c.name;
    EXPECT_EQ(outcome.reported, c.expected.reported) << c.name;
  }
}

}  // namespace
}  // namespace vnx

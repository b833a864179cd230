#include "session/password_hash.h"

#include <cmath>

namespace vnx {
namespace {

// The generator behind the hash, shared with nothing else: a linear
// congruential step, then the upper half of seed × range.
class HashGenerator {
 public:
  explicit HashGenerator(std::uint32_t seed) : seed_(seed) {}
  std::uint32_t Below(std::uint32_t range) {
    seed_ = seed_ * 0x08088405u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * range) >> 32);
  }

 private:
  std::uint32_t seed_;
};

std::string_view Trimmed(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::uint32_t PasswordHash(std::string_view text) {
  HashGenerator start(877);
  std::uint32_t h = start.Below(0x2AAAAAAA);
  for (const char c : Trimmed(text)) {
    const double b = static_cast<unsigned char>(c);
    // No term lies closer than 0.003 to an integer, so double precision
    // truncates the same everywhere.
    const auto term = static_cast<std::uint32_t>((std::sin(b) + 2.0) * 121141.0);
    h += start.Below(term);
  }
  return HashGenerator(h).Below(0x19999999);
}

}  // namespace vnx

#pragma once
// The percentages the session reader reports: a × b / c in 64 bits, rounded
// half away from zero, and −1 when c is 0 or the result leaves the 32-bit
// range — the arithmetic of the Windows MulDiv call.

#include <cstdint>

namespace vnx {

inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t magnitude =
      ((product < 0 ? -product : product) + (c < 0 ? -std::int64_t{c} : c) / 2) / (c < 0 ? -std::int64_t{c} : c);
  const std::int64_t quotient = ((product < 0) != (c < 0)) ? -magnitude : magnitude;
  if (quotient > INT32_MAX || quotient < -INT32_MAX) return -1;
  return static_cast<std::int32_t>(quotient);
}

}  // namespace vnx

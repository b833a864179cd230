#pragma once
// MulDiv as Windows computes it, for the window arithmetic that must give the
// same pixels in the portable build: the product is taken in 64 bits, the
// quotient is rounded to the nearest integer with halves away from zero, and
// a zero divisor or a result outside the 32-bit range gives -1.

#include <cstdint>

namespace vnx {

constexpr std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t{number} * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  // Division truncates toward zero, so moving half a divisor away from zero
  // first rounds halves away from zero.
  const std::int64_t half = divisor / 2;
  const std::int64_t quotient = (product >= 0 ? product + half : product - half) / divisor;
  if (quotient > INT32_MAX || quotient < -INT32_MAX) return -1;
  return static_cast<std::int32_t>(quotient);
}

}  // namespace vnx

#pragma once
// Little-endian fields of program images, icon files and resources. Every
// parser checks its structures against the bytes before it reads them, so a
// field outside the bytes is our own fault: it throws std::out_of_range, which
// the fuzzer reports, instead of reading past the end.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace vnx {

// Whether length bytes from offset lie inside size bytes; no sum can overflow.
constexpr bool FitsIn(std::uint64_t size, std::uint64_t offset, std::uint64_t length) {
  return offset <= size && length <= size - offset;
}

// alignment is a power of two; the caller keeps value far below 2^64.
constexpr std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment) {
  return (value + alignment - 1) & ~(alignment - 1);
}

inline void CheckField(std::size_t size, std::uint64_t at, std::uint64_t length) {
  if (!FitsIn(size, at, length)) throw std::out_of_range("a field lies outside its bytes");
}

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::uint64_t at) {
  CheckField(bytes.size(), at, 2);
  const auto i = static_cast<std::size_t>(at);
  return static_cast<std::uint16_t>(bytes[i] | bytes[i + 1] << 8);
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::uint64_t at) {
  CheckField(bytes.size(), at, 4);
  const auto i = static_cast<std::size_t>(at);
  return static_cast<std::uint32_t>(bytes[i]) | static_cast<std::uint32_t>(bytes[i + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[i + 2]) << 16 | static_cast<std::uint32_t>(bytes[i + 3]) << 24;
}

inline void PutU16(std::span<std::uint8_t> bytes, std::uint64_t at, std::uint16_t value) {
  CheckField(bytes.size(), at, 2);
  const auto i = static_cast<std::size_t>(at);
  bytes[i] = static_cast<std::uint8_t>(value);
  bytes[i + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32(std::span<std::uint8_t> bytes, std::uint64_t at, std::uint32_t value) {
  CheckField(bytes.size(), at, 4);
  const auto i = static_cast<std::size_t>(at);
  for (int k = 0; k < 4; ++k) bytes[i + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

inline void PadTo(std::vector<std::uint8_t>& out, std::size_t alignment) {
  out.resize(static_cast<std::size_t>(AlignUp(out.size(), alignment)), 0);
}

}  // namespace vnx

#pragma once
// A reader of VS_VERSIONINFO written for the tests from the format alone:
// each block's wLength, wValueLength (words for text, bytes for binary),
// wType, key and DWORD padding, its children walked up to wLength. It throws
// std::runtime_error at the first inconsistency.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/tools/branding/pe_fixture.h"

namespace vnx::test {

struct VersionBlock {
  std::u16string Key;
  std::uint16_t Type = 0;
  std::uint16_t ValueLength = 0;
  Bytes Value;
  std::vector<VersionBlock> Children;

  const VersionBlock& Child(std::u16string_view key) const {
    for (const VersionBlock& child : Children)
      if (child.Key == key) return child;
    throw std::runtime_error("no child block of that key");
  }
  // A text value without its terminator.
  std::u16string Text() const {
    if (Value.size() < 2 || Value[Value.size() - 2] != 0 || Value.back() != 0)
      throw std::runtime_error("a text value without its terminator");
    std::u16string text;
    for (std::size_t at = 0; at + 2 < Value.size(); at += 2) text.push_back(static_cast<char16_t>(Get16(Value, at)));
    return text;
  }
};

inline std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

inline VersionBlock ParseVersionBlock(const Bytes& data, std::size_t at, std::size_t limit) {
  VersionBlock block;
  const std::size_t length = Get16(data, at);
  block.ValueLength = static_cast<std::uint16_t>(Get16(data, at + 2));
  block.Type = static_cast<std::uint16_t>(Get16(data, at + 4));
  if (length < 6 || at + length > limit) throw std::runtime_error("wLength runs past its parent");
  if (block.Type > 1) throw std::runtime_error("wType is neither 0 nor 1");
  const std::size_t end = at + length;
  std::size_t pos = at + 6;
  for (;; pos += 2) {
    if (pos + 2 > end) throw std::runtime_error("a key runs past its block");
    const auto c = static_cast<char16_t>(Get16(data, pos));
    if (c == 0) break;
    block.Key.push_back(c);
  }
  pos = Align4(pos + 2);
  const std::size_t valueBytes = block.Type == 1 ? 2u * block.ValueLength : block.ValueLength;
  if (pos + valueBytes > end) throw std::runtime_error("a value runs past its block");
  block.Value.assign(data.begin() + static_cast<std::ptrdiff_t>(pos),
                     data.begin() + static_cast<std::ptrdiff_t>(pos + valueBytes));
  pos = Align4(pos + valueBytes);
  while (pos < end) {
    block.Children.push_back(ParseVersionBlock(data, pos, end));
    pos = Align4(pos + Get16(data, pos));
  }
  return block;
}

inline VersionBlock ParseVersionInfo(const Bytes& data) {
  VersionBlock root = ParseVersionBlock(data, 0, data.size());
  if (Get16(data, 0) != data.size()) throw std::runtime_error("the root's wLength is not the resource's size");
  return root;
}

}  // namespace vnx::test

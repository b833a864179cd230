// The tree writer's order, read back entry by entry, and the round trip
// through the reader of every kind of key.
#include "tools/vnxpack/branding/resource_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/branding/pe_fixture.h"

namespace vnx {
namespace {

using test::Bytes;
using test::Get16;
using test::Get32;

constexpr std::uint32_t kRva = 0x5000;

std::vector<Resource> ReadBack(const Bytes& tree) {
  const ResourceDataAt dataAt = [&](std::uint32_t rva,
                                    std::uint32_t size) -> std::optional<std::span<const std::uint8_t>> {
    if (rva < kRva || rva - kRva > tree.size() || size > tree.size() - (rva - kRva)) return std::nullopt;
    return std::span<const std::uint8_t>(tree).subspan(rva - kRva, size);
  };
  return ReadResourceTree(tree, dataAt, tree.size());
}

// The keys of the root directory in the order written.
std::vector<ResourceKey> RootKeys(const Bytes& tree) {
  std::vector<ResourceKey> keys;
  const std::uint32_t count = Get16(tree, 12) + Get16(tree, 14);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t name = Get32(tree, 16 + 8 * i);
    if (!(name & 0x80000000)) {
      keys.emplace_back(std::in_place_type<std::uint16_t>, static_cast<std::uint16_t>(name));
      continue;
    }
    std::u16string text;
    const std::uint32_t at = name & 0x7FFFFFFF;
    for (std::uint32_t k = 0; k < Get16(tree, at); ++k)
      text.push_back(static_cast<char16_t>(Get16(tree, at + 2 + 2 * k)));
    keys.push_back(text);
  }
  return keys;
}

TEST(ResourceTree, TypesInTheLoadersOrder) {
  struct Case {
    const char* name;
    std::vector<ResourceKey> given;
    std::vector<ResourceKey> written;
  } const cases[] = {
      {"ids rise",
       {std::uint16_t{24}, std::uint16_t{3}, std::uint16_t{14}},
       {std::uint16_t{3}, std::uint16_t{14}, std::uint16_t{24}}},
      {"names before ids",
       {std::uint16_t{1}, std::u16string(u"ZULU"), std::uint16_t{0}},
       {std::u16string(u"ZULU"), std::uint16_t{0}, std::uint16_t{1}}},
      {"names in upper case",
       {std::u16string(u"gamma"), std::u16string(u"Beta"), std::u16string(u"ALPHA_")},
       {std::u16string(u"ALPHA_"), std::u16string(u"Beta"), std::u16string(u"gamma")}},
      {"a prefix first, underscore after letters",
       {std::u16string(u"ABC_"), std::u16string(u"ABCD"), std::u16string(u"abc")},
       {std::u16string(u"abc"), std::u16string(u"ABCD"), std::u16string(u"ABC_")}},
      {"Latin-1 letters upper-cased",
       {std::u16string(u"\u00e9t\u00e9"), std::u16string(u"\u00c9Z"), std::u16string(u"Z")},
       {std::u16string(u"Z"), std::u16string(u"\u00e9t\u00e9"), std::u16string(u"\u00c9Z")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Resource> resources;
    for (const ResourceKey& key : c.given) resources.push_back({key, std::uint16_t{1}, 0, test::Pattern(3, 1), 0});
    EXPECT_EQ(RootKeys(WriteResourceTree(resources, kRva)), c.written);
  }
}

TEST(ResourceTree, RoundTripKeepsEveryResource) {
  const std::vector<Resource> resources = {
      {std::uint16_t{3}, std::uint16_t{2}, 0x0407, test::Pattern(5, 1), 0},
      {std::uint16_t{3}, std::uint16_t{2}, 0x0409, test::Pattern(9, 2), 1252},
      {std::uint16_t{3}, std::uint16_t{1}, 0x0409, {}, 0},
      {std::u16string(u"Data"), std::u16string(u"x"), 0, test::Pattern(1, 3), 0},
      {std::u16string(u"DATA"), std::u16string(u"x"), 0, test::Pattern(2, 4), 0},
      {std::u16string(u"Data"), std::u16string(u"\u00dcbersicht \U0001F3AC"), 0xFFFF, test::Pattern(300, 5), 7},
      {std::uint16_t{0xFFFF}, std::u16string(), 1, test::Pattern(8, 6), 0},
  };
  const Bytes tree = WriteResourceTree(resources, kRva);
  std::vector<Resource> read = ReadBack(tree);
  ASSERT_EQ(read.size(), resources.size());
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const auto it = std::find(read.begin(), read.end(), resources[i]);
    EXPECT_NE(it, read.end()) << "resource " << i;
  }
  const std::uint32_t types = Get16(tree, 12) + Get16(tree, 14);
  EXPECT_EQ(Get16(tree, 12), 2u);  // "Data" and "DATA" stay apart
  EXPECT_EQ(types, 4u);
}

// Each piece of data lies on 8 bytes, whatever the size of the one before.
TEST(ResourceTree, DataIsAlignedToEightBytes) {
  std::vector<Resource> resources;
  for (std::uint16_t id = 1; id <= 5; ++id)
    resources.push_back({std::uint16_t{10}, id, 0, test::Pattern(id * 3, 1), 0});
  const Bytes tree = WriteResourceTree(resources, kRva);
  const std::uint32_t names = Get32(tree, 20) & 0x7FFFFFFF;
  for (std::uint32_t i = 0; i < 5; ++i) {
    const std::uint32_t languages = Get32(tree, names + 16 + 8 * i + 4) & 0x7FFFFFFF;
    const std::uint32_t entry = Get32(tree, languages + 20);
    EXPECT_EQ(entry % 4, 0u);
    EXPECT_EQ(Get32(tree, entry) % 8, 0u) << "resource " << i;
  }
}

}  // namespace
}  // namespace vnx

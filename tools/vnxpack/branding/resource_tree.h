#pragma once
// The resource tree of a PE image, three levels deep (type, name, language),
// read into a flat list and written back in the order the loader's binary
// search needs: named entries first, by name in upper case, then ids rising.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace vnx {

inline constexpr std::uint16_t kRtIcon = 3;
inline constexpr std::uint16_t kRtGroupIcon = 14;
inline constexpr std::uint16_t kRtVersion = 16;

// A type or a name: an id or a string, as stored (UTF-16).
using ResourceKey = std::variant<std::uint16_t, std::u16string>;

struct Resource {
  ResourceKey Type;
  ResourceKey Name;
  std::uint16_t Language = 0;
  std::vector<std::uint8_t> Data;
  std::uint32_t CodePage = 0;  // of the data entry, kept as found

  bool operator==(const Resource&) const = default;
};

// Whether a key is the id, or the name compared the way the loader compares
// it (upper case).
bool KeyIs(const ResourceKey& key, std::uint16_t id);
bool KeyIs(const ResourceKey& key, std::u16string_view name);

// The loader's order of the entries of one directory.
bool KeyBefore(const ResourceKey& a, const ResourceKey& b);

// The resource data at rva of size bytes; nothing when the image does not
// hold it whole.
using ResourceDataAt =
    std::function<std::optional<std::span<const std::uint8_t>>(std::uint32_t rva, std::uint32_t size)>;

// Reads the tree whose root directory starts tree (which runs to the end of
// its section). Throws EBrandingError when the tree lies: an offset outside,
// another depth than three, an entry reached twice, more resources or data
// than the image could hold (dataLimit bytes).
std::vector<Resource> ReadResourceTree(std::span<const std::uint8_t> tree, const ResourceDataAt& dataAt,
                                       std::uint64_t dataLimit);

// The tree of the resources as it will lie at rva: directories, names, data
// entries, then the data, each piece aligned to 8 bytes.
std::vector<std::uint8_t> WriteResourceTree(std::vector<Resource> resources, std::uint32_t rva);

}  // namespace vnx

#include "tools/vnxpack/branding/resource_tree.h"

#include <algorithm>
#include <unordered_set>

#include "tools/vnxpack/branding/branding_error.h"
#include "tools/vnxpack/branding/byte_fields.h"

namespace vnx {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000;  // a subdirectory, or a name instead of an id
constexpr std::uint64_t kDirectoryHeaderSize = 16;
constexpr std::uint64_t kEntrySize = 8;
constexpr std::uint64_t kDataEntrySize = 16;
// Far more than any program carries; it bounds the walk of a tree whose
// directories overlap.
constexpr std::uint64_t kMaxEntries = 1 << 18;

[[noreturn]] void Lies(const std::string& why) { throw EBrandingError("the stub's resource tree lies: " + why); }

// Resource compilers store names in upper case and the loader upper-cases
// the name it looks for; ASCII and Latin-1 cover the names we meet.
char16_t Upper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  return c;
}

int CompareNames(std::u16string_view a, std::u16string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return Upper(a[i]) < Upper(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareKeys(const ResourceKey& a, const ResourceKey& b) {
  const auto* nameA = std::get_if<std::u16string>(&a);
  const auto* nameB = std::get_if<std::u16string>(&b);
  if (nameA && nameB) return CompareNames(*nameA, *nameB);
  if (nameA || nameB) return nameA ? -1 : 1;
  const auto idA = std::get<std::uint16_t>(a);
  const auto idB = std::get<std::uint16_t>(b);
  return idA == idB ? 0 : (idA < idB ? -1 : 1);
}

class TreeReader {
 public:
  TreeReader(std::span<const std::uint8_t> tree, const ResourceDataAt& dataAt, std::uint64_t dataLimit)
      : tree_(tree), dataAt_(dataAt), dataLimit_(dataLimit) {}

  std::vector<Resource> Read() {
    ReadDirectory(0, 0, Resource{});
    return std::move(resources_);
  }

 private:
  void Visit(std::uint32_t offset) {
    if (!reached_.insert(offset).second) Lies("a directory or a resource is reached twice");
  }

  ResourceKey Key(std::uint32_t field) const {
    if ((field & kHighBit) == 0) {
      if (field > 0xFFFF) Lies("an id is larger than 65535");
      return static_cast<std::uint16_t>(field);
    }
    const std::uint32_t at = field & ~kHighBit;
    if (!FitsIn(tree_.size(), at, 2)) Lies("a name lies outside its section");
    const std::uint16_t length = ReadU16(tree_, at);
    if (!FitsIn(tree_.size(), at + 2ull, 2ull * length)) Lies("a name lies outside its section");
    std::u16string name(length, u'\0');
    for (std::uint16_t i = 0; i < length; ++i) name[i] = static_cast<char16_t>(ReadU16(tree_, at + 2ull + 2ull * i));
    return name;
  }

  // level 0 holds types, 1 names, 2 languages; path carries the keys above.
  void ReadDirectory(std::uint32_t offset, int level, const Resource& path) {
    Visit(offset);
    if (!FitsIn(tree_.size(), offset, kDirectoryHeaderSize)) Lies("a directory lies outside its section");
    const std::uint64_t count = std::uint64_t{ReadU16(tree_, offset + 12)} + ReadU16(tree_, offset + 14);
    const std::uint64_t first = offset + kDirectoryHeaderSize;
    if (!FitsIn(tree_.size(), first, count * kEntrySize)) Lies("a directory lies outside its section");
    entries_ += count;
    if (entries_ > kMaxEntries) Lies("it holds more than " + std::to_string(kMaxEntries) + " entries");
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint32_t name = ReadU32(tree_, first + i * kEntrySize);
      const std::uint32_t target = ReadU32(tree_, first + i * kEntrySize + 4);
      Resource next = path;
      if (level == 2) {
        if (name & kHighBit) Lies("a language is a name");
        if (target & kHighBit) Lies("it is deeper than type, name and language");
        if (name > 0xFFFF) Lies("a language is larger than 65535");
        next.Language = static_cast<std::uint16_t>(name);
        ReadDataEntry(target, std::move(next));
        continue;
      }
      (level == 0 ? next.Type : next.Name) = Key(name);
      if ((target & kHighBit) == 0) Lies("a type or a name leads to data instead of languages");
      ReadDirectory(target & ~kHighBit, level + 1, next);
    }
  }

  void ReadDataEntry(std::uint32_t offset, Resource resource) {
    Visit(offset);
    if (!FitsIn(tree_.size(), offset, kDataEntrySize)) Lies("a data entry lies outside its section");
    const std::uint32_t rva = ReadU32(tree_, offset);
    const std::uint32_t size = ReadU32(tree_, offset + 4);
    dataBytes_ += size;
    if (dataBytes_ > dataLimit_) Lies("its resources add up to more than the whole image");
    const auto data = dataAt_(rva, size);
    if (!data) Lies("a resource's data lies outside the image's sections");
    resource.Data.assign(data->begin(), data->end());
    resource.CodePage = ReadU32(tree_, offset + 8);
    resources_.push_back(std::move(resource));
  }

  std::span<const std::uint8_t> tree_;
  const ResourceDataAt& dataAt_;
  std::uint64_t dataLimit_;
  std::uint64_t entries_ = 0;
  std::uint64_t dataBytes_ = 0;
  std::unordered_set<std::uint32_t> reached_;
  std::vector<Resource> resources_;
};

// Sorted resources in groups: one per type, in it one per name, in that the
// languages.
struct NameGroup {
  std::size_t First = 0;
  std::size_t Count = 0;
};
struct TypeGroup {
  std::size_t First = 0;
  std::vector<NameGroup> Names;
};

std::vector<TypeGroup> Grouped(const std::vector<Resource>& sorted) {
  std::vector<TypeGroup> types;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (types.empty() || sorted[i].Type != sorted[types.back().First].Type) types.push_back({i, {}});
    auto& names = types.back().Names;
    if (names.empty() || sorted[i].Name != sorted[names.back().First].Name) names.push_back({i, 0});
    ++names.back().Count;
  }
  return types;
}

void PutDirectory(std::vector<std::uint8_t>& out, std::uint64_t at, std::uint64_t named, std::uint64_t ids) {
  if (named > 0xFFFF || ids > 0xFFFF)
    throw EBrandingError("the resources have more than 65535 entries in one directory");
  PutU16(out, at + 12, static_cast<std::uint16_t>(named));
  PutU16(out, at + 14, static_cast<std::uint16_t>(ids));
}

// Writes the tree into a buffer laid out in advance, so every offset is
// known when an entry refers to it.
class TreeWriter {
 public:
  TreeWriter(const std::vector<Resource>& sorted, std::uint32_t rva)
      : sorted_(sorted), types_(Grouped(sorted)), rva_(rva) {}

  std::vector<std::uint8_t> Write() {
    std::uint64_t size = Layout();
    if (size > 0x7FFFFFFF || rva_ + size > 0xFFFFFFFF) throw EBrandingError("the resources are too large for one tree");
    out_.assign(static_cast<std::size_t>(size), 0);
    WriteDirectories();
    return std::move(out_);
  }

 private:
  std::uint64_t Layout() {
    std::uint64_t at = kDirectoryHeaderSize + kEntrySize * types_.size();
    for (const TypeGroup& type : types_) {
      typeTables_.push_back(at);
      at += kDirectoryHeaderSize + kEntrySize * type.Names.size();
    }
    for (const TypeGroup& type : types_)
      for (const NameGroup& name : type.Names) {
        nameTables_.push_back(at);
        at += kDirectoryHeaderSize + kEntrySize * name.Count;
      }
    for (const TypeGroup& type : types_) {
      at = PlaceString(sorted_[type.First].Type, at);
      for (const NameGroup& name : type.Names) at = PlaceString(sorted_[name.First].Name, at);
    }
    dataEntries_ = AlignUp(at, 8);
    at = dataEntries_ + kDataEntrySize * sorted_.size();
    for (const Resource& resource : sorted_) {
      at = AlignUp(at, 8);
      data_.push_back(at);
      at += resource.Data.size();
    }
    return AlignUp(at, 8);
  }

  std::uint64_t PlaceString(const ResourceKey& key, std::uint64_t at) {
    const auto* name = std::get_if<std::u16string>(&key);
    if (!name) return at;
    if (name->size() > 0xFFFF) throw EBrandingError("a resource name is longer than 65535 characters");
    strings_.push_back(at);
    return at + 2 + 2 * name->size();
  }

  // The entry's first field: the id, or the high bit and where the name lies.
  std::uint32_t NameField(const ResourceKey& key) {
    if (const auto* id = std::get_if<std::uint16_t>(&key)) return *id;
    const std::uint64_t at = strings_[nextString_++];
    const auto& name = std::get<std::u16string>(key);
    PutU16(out_, at, static_cast<std::uint16_t>(name.size()));
    for (std::size_t i = 0; i < name.size(); ++i) PutU16(out_, at + 2 + 2 * i, name[i]);
    return kHighBit | static_cast<std::uint32_t>(at);
  }

  void PutEntry(std::uint64_t at, std::uint32_t name, std::uint32_t target) {
    PutU32(out_, at, name);
    PutU32(out_, at + 4, target);
  }

  void WriteDirectories() {
    const auto namedTypes =
        static_cast<std::uint64_t>(std::count_if(types_.begin(), types_.end(), [&](const TypeGroup& type) {
          return std::holds_alternative<std::u16string>(sorted_[type.First].Type);
        }));
    PutDirectory(out_, 0, namedTypes, types_.size() - namedTypes);
    std::size_t nameTable = 0;
    for (std::size_t t = 0; t < types_.size(); ++t) {
      const TypeGroup& type = types_[t];
      PutEntry(kDirectoryHeaderSize + kEntrySize * t, NameField(sorted_[type.First].Type),
               kHighBit | static_cast<std::uint32_t>(typeTables_[t]));
      std::uint64_t named = 0;
      for (std::size_t n = 0; n < type.Names.size(); ++n, ++nameTable) {
        const NameGroup& name = type.Names[n];
        named += std::holds_alternative<std::u16string>(sorted_[name.First].Name);
        PutEntry(typeTables_[t] + kDirectoryHeaderSize + kEntrySize * n, NameField(sorted_[name.First].Name),
                 kHighBit | static_cast<std::uint32_t>(nameTables_[nameTable]));
        WriteLanguages(nameTables_[nameTable], name);
      }
      PutDirectory(out_, typeTables_[t], named, type.Names.size() - named);
    }
  }

  void WriteLanguages(std::uint64_t table, const NameGroup& name) {
    PutDirectory(out_, table, 0, name.Count);
    for (std::size_t l = 0; l < name.Count; ++l) {
      const std::size_t i = name.First + l;
      const std::uint64_t entry = dataEntries_ + kDataEntrySize * i;
      PutEntry(table + kDirectoryHeaderSize + kEntrySize * l, sorted_[i].Language, static_cast<std::uint32_t>(entry));
      PutU32(out_, entry, static_cast<std::uint32_t>(rva_ + data_[i]));
      PutU32(out_, entry + 4, static_cast<std::uint32_t>(sorted_[i].Data.size()));
      PutU32(out_, entry + 8, sorted_[i].CodePage);
      std::copy(sorted_[i].Data.begin(), sorted_[i].Data.end(), out_.begin() + static_cast<std::ptrdiff_t>(data_[i]));
    }
  }

  const std::vector<Resource>& sorted_;
  std::vector<TypeGroup> types_;
  std::uint32_t rva_;
  std::vector<std::uint64_t> typeTables_, nameTables_, strings_, data_;
  std::size_t nextString_ = 0;
  std::uint64_t dataEntries_ = 0;
  std::vector<std::uint8_t> out_;
};

}  // namespace

bool KeyIs(const ResourceKey& key, std::uint16_t id) {
  const auto* own = std::get_if<std::uint16_t>(&key);
  return own && *own == id;
}

bool KeyIs(const ResourceKey& key, std::u16string_view name) {
  const auto* own = std::get_if<std::u16string>(&key);
  return own && CompareNames(*own, name) == 0;
}

bool KeyBefore(const ResourceKey& a, const ResourceKey& b) { return CompareKeys(a, b) < 0; }

std::vector<Resource> ReadResourceTree(std::span<const std::uint8_t> tree, const ResourceDataAt& dataAt,
                                       std::uint64_t dataLimit) {
  return TreeReader(tree, dataAt, dataLimit).Read();
}

std::vector<std::uint8_t> WriteResourceTree(std::vector<Resource> resources, std::uint32_t rva) {
  // Keys equal in upper case but spelt differently stay apart, in a fixed order.
  std::stable_sort(resources.begin(), resources.end(), [](const Resource& a, const Resource& b) {
    if (const int type = CompareKeys(a.Type, b.Type)) return type < 0;
    if (a.Type != b.Type) return a.Type < b.Type;
    if (const int name = CompareKeys(a.Name, b.Name)) return name < 0;
    if (a.Name != b.Name) return a.Name < b.Name;
    return a.Language < b.Language;
  });
  return TreeWriter(resources, rva).Write();
}

}  // namespace vnx

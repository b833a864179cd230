#pragma once
// Small PE images for the branding tests, built here field by field (not by
// the code under test): DOS header, PE32 or PE32+ headers, sections, a
// resource tree laid out depth first with its data ahead of the root, and
// optionally a COFF symbol table behind the sections, as an unstripped build
// has it. Also the few header reads the tests check the result with.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/vnxpack/branding/resource_tree.h"

namespace vnx::test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kFileAlignment = 0x200;
inline constexpr std::uint32_t kSectionAlignment = 0x1000;
inline constexpr std::uint32_t kPeOffset = 0x80;
inline constexpr std::uint32_t kOptionalHeader = kPeOffset + 24;

inline std::uint32_t Align(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

inline void Put16(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 2) bytes.resize(at + 2);
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, value & 0xFFFF);
  Put16(bytes, at + 2, value >> 16);
}

inline std::uint32_t Get16(const Bytes& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }
inline std::uint32_t Get32(const Bytes& bytes, std::size_t at) { return Get16(bytes, at) | Get16(bytes, at + 2) << 16; }

inline void Add16(Bytes& bytes, std::uint32_t value) { Put16(bytes, bytes.size(), value); }
inline void Add32(Bytes& bytes, std::uint32_t value) { Put32(bytes, bytes.size(), value); }

inline Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

// A resource tree: the data first, then the root at RootOffset, each
// directory followed by its names and children. Resources of one type (and
// one name) must be given next to each other; their order is kept, so a test
// can hand the reader a tree out of the loader's order.
struct FixtureTree {
  Bytes Data;
  std::uint32_t RootOffset = 0;
};

inline FixtureTree BuildResourceTree(const std::vector<Resource>& resources, std::uint32_t sectionRva) {
  FixtureTree tree;
  Bytes& out = tree.Data;
  std::vector<std::uint32_t> dataAt;
  for (const Resource& resource : resources) {
    dataAt.push_back(static_cast<std::uint32_t>(out.size()));
    out.insert(out.end(), resource.Data.begin(), resource.Data.end());
    out.resize(Align(static_cast<std::uint32_t>(out.size()), 4));
  }
  tree.RootOffset = static_cast<std::uint32_t>(out.size());
  const std::uint32_t root = tree.RootOffset;
  const auto key = [](const Resource& r, int level) -> ResourceKey {
    return level == 0 ? r.Type : level == 1 ? r.Name : ResourceKey{r.Language};
  };
  // Writes the directory of resources [first, last) at level; returns its offset.
  const auto directory = [&](auto& self, std::size_t first, std::size_t last, int level) -> std::uint32_t {
    std::vector<std::pair<std::size_t, std::size_t>> children;
    for (std::size_t i = first; i < last; ++i)
      if (children.empty() || level == 2 || key(resources[i], level) != key(resources[children.back().first], level))
        children.push_back({i, i + 1});
      else
        children.back().second = i + 1;
    const std::size_t at = out.size();
    std::uint32_t named = 0;
    for (const auto& child : children)
      named += std::holds_alternative<std::u16string>(key(resources[child.first], level));
    out.resize(at + 16 + 8 * children.size());
    Put16(out, at + 12, named);
    Put16(out, at + 14, static_cast<std::uint32_t>(children.size()) - named);
    for (std::size_t c = 0; c < children.size(); ++c) {
      const auto [from, to] = children[c];
      const ResourceKey k = key(resources[from], level);
      std::uint32_t nameField = 0;
      if (const auto* name = std::get_if<std::u16string>(&k)) {
        nameField = 0x80000000 | static_cast<std::uint32_t>(out.size() - root);
        Add16(out, static_cast<std::uint32_t>(name->size()));
        for (const char16_t ch : *name) Add16(out, ch);
        out.resize(Align(static_cast<std::uint32_t>(out.size()), 4));
      } else {
        nameField = std::get<std::uint16_t>(k);
      }
      std::uint32_t target = 0;
      if (level < 2) {
        target = 0x80000000 | (self(self, from, to, level + 1) - root);
      } else {
        target = static_cast<std::uint32_t>(out.size() - root);
        Add32(out, sectionRva + dataAt[from]);
        Add32(out, static_cast<std::uint32_t>(resources[from].Data.size()));
        Add32(out, resources[from].CodePage);
        Add32(out, 0);
      }
      Put32(out, at + 16 + 8 * c, nameField);
      Put32(out, at + 16 + 8 * c + 4, target);
    }
    return static_cast<std::uint32_t>(at);
  };
  directory(directory, 0, resources.size(), 0);
  return tree;
}

struct FixtureSection {
  std::string Name;
  Bytes Data;
  std::uint32_t Characteristics = 0x40000040;
  std::uint32_t VirtualSize = 0;  // 0: the data's size
};

inline std::uint32_t VirtualSizeOf(const FixtureSection& section) {
  return section.VirtualSize != 0 ? section.VirtualSize : static_cast<std::uint32_t>(section.Data.size());
}

struct FixtureImage {
  bool Is64 = false;
  std::uint32_t SizeOfHeaders = 0x400;
  std::vector<FixtureSection> Sections;
  std::optional<std::size_t> ResourceSection;  // data directory 2 points into it
  std::uint32_t ResourceRootOffset = 0;
  std::uint32_t CertificateSize = 0;  // data directory 4
  Bytes SymbolTable;                  // symbols then the string table, behind the sections
  std::uint32_t NumberOfSymbols = 0;
};

inline std::uint32_t SectionRva(const FixtureImage& image, std::size_t index) {
  std::uint32_t rva = Align(image.SizeOfHeaders, kSectionAlignment);
  for (std::size_t i = 0; i < index; ++i) rva += Align(VirtualSizeOf(image.Sections[i]), kSectionAlignment);
  return rva;
}

inline std::uint32_t OptionalHeaderSize(bool is64) { return is64 ? 240 : 224; }
inline std::uint32_t DirectoryOffset(bool is64, unsigned index) {
  return kOptionalHeader + (is64 ? 112 : 96) + 8 * index;
}

inline Bytes BuildImage(const FixtureImage& image) {
  Bytes out(image.SizeOfHeaders, 0);
  out[0] = 'M', out[1] = 'Z';
  Put32(out, 0x3C, kPeOffset);
  Put32(out, kPeOffset, 0x00004550);
  const std::size_t file = kPeOffset + 4;
  Put16(out, file, image.Is64 ? 0x8664 : 0x14C);
  Put16(out, file + 2, static_cast<std::uint32_t>(image.Sections.size()));
  Put32(out, file + 4, 0x5E0F1A2B);
  Put32(out, file + 12, image.NumberOfSymbols);
  Put16(out, file + 16, OptionalHeaderSize(image.Is64));
  Put16(out, file + 18, image.Is64 ? 0x22 : 0x102);

  const std::size_t opt = kOptionalHeader;
  Put16(out, opt, image.Is64 ? 0x20B : 0x10B);
  Put32(out, opt + 16, SectionRva(image, 0));  // AddressOfEntryPoint
  if (image.Is64) {
    Put32(out, opt + 24, 0x40000000);  // ImageBase 0x140000000
    Put32(out, opt + 28, 0x1);
  } else {
    Put32(out, opt + 28, 0x400000);
  }
  Put32(out, opt + 32, kSectionAlignment);
  Put32(out, opt + 36, kFileAlignment);
  Put16(out, opt + 40, 4);
  Put16(out, opt + 48, 4);
  Put32(out, opt + 60, image.SizeOfHeaders);
  Put32(out, opt + 64, 0xBADC0DE);  // a stale checksum branding must replace
  Put16(out, opt + 68, 2);          // GUI
  Put32(out, opt + (image.Is64 ? 108 : 92), 16);

  std::uint32_t code = 0, initialized = 0;
  const std::size_t table = opt + OptionalHeaderSize(image.Is64);
  for (std::size_t i = 0; i < image.Sections.size(); ++i) {
    const FixtureSection& section = image.Sections[i];
    const auto size = static_cast<std::uint32_t>(section.Data.size());
    const auto raw = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), section.Data.begin(), section.Data.end());
    out.resize(Align(static_cast<std::uint32_t>(out.size()), kFileAlignment));
    const std::size_t header = table + 40 * i;
    std::copy(section.Name.begin(), section.Name.end(), out.begin() + static_cast<std::ptrdiff_t>(header));
    Put32(out, header + 8, VirtualSizeOf(section));
    Put32(out, header + 12, SectionRva(image, i));
    Put32(out, header + 16, Align(size, kFileAlignment));
    Put32(out, header + 20, raw);
    Put32(out, header + 36, section.Characteristics);
    (section.Characteristics & 0x20 ? code : initialized) += Align(size, kFileAlignment);
  }
  Put32(out, opt + 4, code);
  Put32(out, opt + 8, initialized);
  Put32(out, opt + 56, SectionRva(image, image.Sections.size()));
  if (image.ResourceSection) {
    const auto& tree = image.Sections[*image.ResourceSection].Data;
    Put32(out, DirectoryOffset(image.Is64, 2), SectionRva(image, *image.ResourceSection) + image.ResourceRootOffset);
    Put32(out, DirectoryOffset(image.Is64, 2) + 4, static_cast<std::uint32_t>(tree.size()) - image.ResourceRootOffset);
  }
  if (image.CertificateSize != 0) {
    Put32(out, DirectoryOffset(image.Is64, 4), static_cast<std::uint32_t>(out.size()));
    Put32(out, DirectoryOffset(image.Is64, 4) + 4, image.CertificateSize);
  }
  if (!image.SymbolTable.empty()) {
    Put32(out, file + 8, static_cast<std::uint32_t>(out.size()));
    out.insert(out.end(), image.SymbolTable.begin(), image.SymbolTable.end());
  }
  return out;
}

// RT_VERSION data with only the fixed part, as an old resource to replace.
inline Bytes FixedOnlyVersion(std::uint32_t fileMs, std::uint32_t fileLs) {
  Bytes data;
  Add16(data, 0);
  Add16(data, 52);
  Add16(data, 0);
  for (const char16_t c : std::u16string(u"VS_VERSION_INFO")) Add16(data, c);
  Add16(data, 0);
  Add16(data, 0);  // padding to 40
  for (const std::uint32_t field :
       {0xFEEF04BDu, 0x10000u, fileMs, fileLs, fileMs, fileLs, 0x3Fu, 0u, 4u, 1u, 0u, 0u, 0u})
    Add32(data, field);
  Put16(data, 0, static_cast<std::uint32_t>(data.size()));
  return data;
}

// Icon images and groups of the stub: MAINICON (ids 1 and 2) and ABOUT
// (id 3, which MAINICON also names: it must survive).
inline Bytes GroupNaming(const std::vector<std::uint16_t>& ids) {
  Bytes group;
  Add16(group, 0);
  Add16(group, 1);
  Add16(group, static_cast<std::uint32_t>(ids.size()));
  for (const std::uint16_t id : ids) {
    group.insert(group.end(), {32, 32, 0, 0});
    Add16(group, 1);
    Add16(group, 32);
    Add32(group, 100);
    Add16(group, id);
  }
  return group;
}

inline constexpr std::uint16_t kStubLanguage = 0x0407;

// The runner's resources in miniature, given out of the loader's order.
inline std::vector<Resource> StubResources() {
  const auto r = [](ResourceKey type, ResourceKey name, std::uint16_t language, Bytes data, std::uint32_t page = 0) {
    return Resource{std::move(type), std::move(name), language, std::move(data), page};
  };
  return {
      r(std::uint16_t{24}, std::uint16_t{1}, 0x0409, Pattern(90, 1), 1252),  // the manifest
      r(std::uint16_t{3}, std::uint16_t{2}, kStubLanguage, Pattern(60, 2)),
      r(std::uint16_t{3}, std::uint16_t{1}, kStubLanguage, Pattern(70, 3)),
      r(std::uint16_t{3}, std::uint16_t{3}, kStubLanguage, Pattern(50, 4)),
      r(std::uint16_t{14}, std::u16string(u"MAINICON"), kStubLanguage, GroupNaming({1, 2, 3})),
      r(std::uint16_t{14}, std::u16string(u"ABOUT"), kStubLanguage, GroupNaming({3})),
      r(std::uint16_t{5}, std::u16string(u"SETUP_DIALOG"), 0x0409, Pattern(33, 5)),
      r(std::uint16_t{5}, std::u16string(u"PW_DIALOG"), 0x0409, Pattern(31, 6)),
      r(std::uint16_t{16}, std::uint16_t{1}, 0x0409, FixedOnlyVersion(0x00010002, 0x00030004)),
      r(std::uint16_t{16}, std::uint16_t{1}, 0x0407, FixedOnlyVersion(0x00090009, 0x00090009)),
      r(std::u16string(u"showData"), std::u16string(u"Layout"), 0x0407, Pattern(17, 7)),
      r(std::u16string(u"showData"), std::uint16_t{7}, 0x0407, Pattern(5, 8)),
      r(std::u16string(u"ALPHA"), std::uint16_t{7}, 0, {}),
  };
}

// .text, .data, .rsrc and .reloc, as the runner's sections follow each other.
inline FixtureImage StubImage(bool is64, const std::vector<Resource>& resources = StubResources()) {
  FixtureImage image;
  image.Is64 = is64;
  image.Sections = {{".text", Pattern(0x345, 9), 0x60000020}, {".data", Pattern(0x80, 10), 0xC0000040}};
  if (!resources.empty()) {
    const FixtureTree tree = BuildResourceTree(resources, SectionRva(image, 2));
    image.Sections.push_back({".rsrc", tree.Data, 0x40000040});
    image.ResourceSection = 2;
    image.ResourceRootOffset = tree.RootOffset;
  }
  image.Sections.push_back({".reloc", Pattern(0x40, 11), 0x42000040});
  return image;
}

// The standard PE checksum, summed here in 64 bits and folded once.
inline std::uint32_t ExpectedChecksum(Bytes image, std::size_t checkSumAt) {
  const auto length = static_cast<std::uint32_t>(image.size());
  Put32(image, checkSumAt, 0);
  if (image.size() % 2) image.push_back(0);
  std::uint64_t sum = 0;
  for (std::size_t at = 0; at < image.size(); at += 2) sum += Get16(image, at);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum) + length;
}

struct SectionHeader {
  std::string Name;
  std::uint32_t VirtualSize, VirtualAddress, SizeOfRawData, PointerToRawData, Characteristics;
};

inline std::vector<SectionHeader> SectionHeaders(const Bytes& image) {
  const std::uint32_t pe = Get32(image, 0x3C);
  const std::size_t table = pe + 24 + Get16(image, pe + 20);
  std::vector<SectionHeader> sections;
  for (std::uint32_t i = 0; i < Get16(image, pe + 6); ++i) {
    const std::size_t at = table + 40 * i;
    std::string name(reinterpret_cast<const char*>(&image.at(at)), 8);
    name.resize(name.find('\0') == std::string::npos ? 8 : name.find('\0'));
    sections.push_back({name, Get32(image, at + 8), Get32(image, at + 12), Get32(image, at + 16), Get32(image, at + 20),
                        Get32(image, at + 36)});
  }
  return sections;
}

}  // namespace vnx::test

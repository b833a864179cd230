// Branding small PE32 and PE32+ images built field by field: the icon group,
// the version resource, every other resource and the headers, read back with
// the resource reader, an independent VS_VERSIONINFO reader and a walk of
// the new tree.
#include "tools/vnxpack/branding/branding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "tests/tools/branding/icon_fixture.h"
#include "tests/tools/branding/pe_fixture.h"
#include "tests/tools/branding/version_block_parser.h"
#include "tools/vnxpack/branding/image_resources.h"

namespace vnx {
namespace {

using test::Bytes;
using test::Get16;
using test::Get32;

std::vector<Resource> Sorted(std::vector<Resource> resources) {
  std::sort(resources.begin(), resources.end(), [](const Resource& a, const Resource& b) {
    return std::tie(a.Type, a.Name, a.Language, a.Data, a.CodePage) <
           std::tie(b.Type, b.Name, b.Language, b.Data, b.CodePage);
  });
  return resources;
}

template <typename Drop>
std::vector<Resource> Without(const std::vector<Resource>& resources, Drop drop) {
  std::vector<Resource> kept;
  for (const Resource& resource : resources)
    if (!drop(resource)) kept.push_back(resource);
  return Sorted(kept);
}

bool IsType(const Resource& r, std::uint16_t type) {
  return std::holds_alternative<std::uint16_t>(r.Type) && std::get<std::uint16_t>(r.Type) == type;
}
bool IsMainIcon(const Resource& r) {
  return IsType(r, 14) && std::holds_alternative<std::u16string>(r.Name) &&
         std::get<std::u16string>(r.Name) == u"MAINICON";
}
bool IsIconId(const Resource& r, const std::set<std::uint16_t>& ids) {
  return IsType(r, 3) && std::holds_alternative<std::uint16_t>(r.Name) && ids.count(std::get<std::uint16_t>(r.Name));
}

std::vector<Resource> Of(const std::vector<Resource>& resources, bool (*match)(const Resource&)) {
  std::vector<Resource> found;
  std::copy_if(resources.begin(), resources.end(), std::back_inserter(found), match);
  return found;
}

Bytes Build(const test::FixtureImage& image) { return test::BuildImage(image); }

std::vector<Resource> Read(const Bytes& image) { return ReadImageResources(image); }

struct Architecture {
  const char* name;
  bool is64;
} const kArchitectures[] = {{"PE32", false}, {"PE32+", true}};

TEST(Branding, IconReplacesTheMainIconGroup) {
  struct Depth {
    std::uint16_t planes, bits;
  };
  struct Case {
    const char* name;
    std::vector<test::IcoEntry> entries;
    std::vector<Depth> depths;  // as the group must give them
  } const cases[] = {
      {"one bitmap", {test::BitmapEntry(32, 32)}, {{1, 32}}},
      {"sizes and a PNG",
       {test::BitmapEntry(16, 8, 1),
        test::BitmapEntry(32, 4, 2),
        test::BitmapEntry(48, 32, 3),
        {0, 0, 0, 1, 32, test::PngImage(256)}},
       {{1, 8}, {1, 4}, {1, 32}, {1, 32}}},
      {"a PNG whose entry leaves out planes and depth", {{0, 0, 0, 0, 0, test::PngImage(256)}}, {{1, 32}}},
      {"a bitmap whose entry leaves out planes and depth", {{16, 16, 0, 0, 0, test::BitmapImage(16, 24)}}, {{1, 24}}},
  };
  for (const Architecture& architecture : kArchitectures) {
    const Bytes stub = Build(test::StubImage(architecture.is64));
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(architecture.name) + ", " + c.name);
      const Bytes branded = BrandImage(stub, {test::IcoFile(c.entries), std::nullopt});
      const std::vector<Resource> after = Read(branded);

      const auto groups = Of(after, IsMainIcon);
      ASSERT_EQ(groups.size(), 1u);
      EXPECT_EQ(groups[0].Language, test::kStubLanguage);
      const Bytes& group = groups[0].Data;
      ASSERT_EQ(group.size(), 6 + 14 * c.entries.size());
      EXPECT_EQ(Get16(group, 0), 0u);
      EXPECT_EQ(Get16(group, 2), 1u);
      EXPECT_EQ(Get16(group, 4), c.entries.size());
      // The lowest free ids: 3 is still named by the group ABOUT.
      const std::vector<std::uint16_t> freeIds = {1, 2, 4, 5};
      std::set<std::uint16_t> newIds;
      for (std::size_t i = 0; i < c.entries.size(); ++i) {
        const std::size_t at = 6 + 14 * i;
        const test::IcoEntry& entry = c.entries[i];
        EXPECT_EQ(group[at], entry.Width);
        EXPECT_EQ(group[at + 1], entry.Height);
        EXPECT_EQ(group[at + 2], entry.Colors);
        EXPECT_EQ(Get16(group, at + 4), c.depths[i].planes);
        EXPECT_EQ(Get16(group, at + 6), c.depths[i].bits);
        EXPECT_EQ(Get32(group, at + 8), entry.Data.size());
        const auto id = static_cast<std::uint16_t>(Get16(group, at + 12));
        EXPECT_EQ(id, freeIds[i]);
        newIds.insert(id);
        std::vector<Resource> images;
        for (const Resource& r : after)
          if (IsIconId(r, {id})) images.push_back(r);
        ASSERT_EQ(images.size(), 1u) << "id " << id;
        EXPECT_EQ(images[0].Language, test::kStubLanguage);
        EXPECT_EQ(images[0].Data, entry.Data);
      }
      EXPECT_EQ(newIds.size(), c.entries.size());

      const auto before = Without(Read(stub), [](const Resource& r) { return IsMainIcon(r) || IsIconId(r, {1, 2}); });
      EXPECT_EQ(Without(after, [&](const Resource& r) { return IsMainIcon(r) || IsIconId(r, newIds); }), before);
    }
  }
}

TEST(Branding, IconGroupIsAddedWhereTheStubHasNone) {
  const Resource orphanIcon{std::uint16_t{3}, std::uint16_t{1}, 0x0409, test::Pattern(20, 1), 0};
  const Resource manifest{std::uint16_t{24}, std::uint16_t{1}, 0x0409, test::Pattern(30, 2), 0};
  struct Case {
    const char* name;
    std::vector<Resource> resources;
    std::uint16_t firstId;
  } const cases[] = {
      {"no resource tree at all", {}, 1},
      {"resources, but no MAINICON", {manifest, orphanIcon}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes stub = Build(test::StubImage(false, c.resources));
    const Bytes ico = test::IcoFile({test::BitmapEntry(32, 8)});
    const std::vector<Resource> after = Read(BrandImage(stub, {ico, std::nullopt}));
    const auto groups = Of(after, IsMainIcon);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].Language, 0);
    ASSERT_EQ(groups[0].Data.size(), 20u);
    EXPECT_EQ(Get16(groups[0].Data, 18), c.firstId);
    EXPECT_EQ(Without(after, [&](const Resource& r) { return IsMainIcon(r) || IsIconId(r, {c.firstId}); }),
              Sorted(c.resources));
  }
}

std::u16string Repeated(std::u16string_view piece, int times) {
  std::u16string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(Branding, VersionResourceCarriesTheText) {
  using Strings = std::map<std::u16string, std::u16string>;
  using Fixed = std::array<std::uint32_t, 2>;  // dwFileVersionMS, LS
  std::vector<Resource> noVersion = test::StubResources();
  std::erase_if(noVersion, [](const Resource& r) { return IsType(r, 16); });
  const std::string longTitle = [] {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "Ωx";
    return text;
  }();
  struct Case {
    const char* name;
    VersionText text;
    Strings strings;
    Fixed fixed;
    std::vector<Resource> stubResources;
  } const cases[] = {
      {"every text",
       {"Quarterly Review", "Orrindale Ltd", "2.0.1.7", "(c) 2026 Orrindale", "review.exe"},
       {{u"FileDescription", u"Quarterly Review"},
        {u"ProductName", u"Quarterly Review"},
        {u"CompanyName", u"Orrindale Ltd"},
        {u"FileVersion", u"2.0.1.7"},
        {u"ProductVersion", u"2.0.1.7"},
        {u"LegalCopyright", u"(c) 2026 Orrindale"},
        {u"OriginalFilename", u"review.exe"}},
       {0x00020000, 0x00010007},
       test::StubResources()},
      {"texts beyond ASCII",
       {"Präsentation für Kunden", std::nullopt, "65535.0.65535.01", "© 2026 Ünïcode GmbH", "Kunden 🎬.exe"},
       {{u"FileDescription", u"Präsentation für Kunden"},
        {u"ProductName", u"Präsentation für Kunden"},
        {u"FileVersion", u"65535.0.65535.1"},
        {u"ProductVersion", u"65535.0.65535.1"},
        {u"LegalCopyright", u"© 2026 Ünïcode GmbH"},
        {u"OriginalFilename", u"Kunden \U0001F3AC.exe"}},
       {0xFFFF0000, 0xFFFF0001},
       test::StubResources()},
      {"no version: the stub's lowest language keeps its numbers",
       {"Show", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
       {{u"FileDescription", u"Show"}, {u"ProductName", u"Show"}},
       {0x00090009, 0x00090009},
       test::StubResources()},
      {"empty texts count as none", {"", "", "", "", ""}, {}, {0x00090009, 0x00090009}, test::StubResources()},
      {"no version anywhere",
       {std::nullopt, "Co", std::nullopt, std::nullopt, std::nullopt},
       {{u"CompanyName", u"Co"}},
       {0, 0},
       noVersion},
      {"a long title",
       {longTitle, std::nullopt, "1.0.0.0", std::nullopt, std::nullopt},
       {{u"FileDescription", Repeated(u"Ωx", 1500)},
        {u"ProductName", Repeated(u"Ωx", 1500)},
        {u"FileVersion", u"1.0.0.0"},
        {u"ProductVersion", u"1.0.0.0"}},
       {0x00010000, 0},
       test::StubResources()},
  };
  for (const Architecture& architecture : kArchitectures) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(architecture.name) + ", " + c.name);
      const Bytes stub = Build(test::StubImage(architecture.is64, c.stubResources));
      const std::vector<Resource> after = Read(BrandImage(stub, {std::nullopt, c.text}));
      const auto versions = Of(after, [](const Resource& r) { return IsType(r, 16); });
      ASSERT_EQ(versions.size(), 1u);
      EXPECT_EQ(versions[0].Name, ResourceKey{std::uint16_t{1}});
      EXPECT_EQ(versions[0].Language, 0x0409);
      EXPECT_EQ(Without(after, [](const Resource& r) { return IsType(r, 16); }),
                Without(Read(stub), [](const Resource& r) { return IsType(r, 16); }));

      const Bytes& data = versions[0].Data;
      try {
        const test::VersionBlock root = test::ParseVersionInfo(data);
        EXPECT_EQ(root.Key, u"VS_VERSION_INFO");
        EXPECT_EQ(root.Type, 0);
        ASSERT_EQ(root.Value.size(), 52u);
        const std::vector<std::uint32_t> fixed = {
            0xFEEF04BD, 0x00010000, c.fixed[0], c.fixed[1], c.fixed[0], c.fixed[1], 0x3F, 0, 4, 1, 0, 0, 0};
        for (std::size_t i = 0; i < fixed.size(); ++i) EXPECT_EQ(Get32(root.Value, 4 * i), fixed[i]) << "field " << i;

        Strings strings;
        if (!c.strings.empty()) {
          const test::VersionBlock& table = root.Child(u"StringFileInfo").Child(u"040904B0");
          EXPECT_EQ(table.Type, 1);
          for (const test::VersionBlock& entry : table.Children) {
            EXPECT_EQ(entry.Type, 1);
            EXPECT_EQ(entry.ValueLength, entry.Text().size() + 1);
            strings[entry.Key] = entry.Text();
          }
        } else {
          EXPECT_THROW(root.Child(u"StringFileInfo"), std::runtime_error);
        }
        EXPECT_EQ(strings, c.strings);
        const test::VersionBlock& translation = root.Child(u"VarFileInfo").Child(u"Translation");
        EXPECT_EQ(translation.Type, 0);
        EXPECT_EQ(translation.Value, (Bytes{0x09, 0x04, 0xB0, 0x04}));
      } catch (const std::runtime_error& e) {
        ADD_FAILURE() << "VS_VERSIONINFO does not read: " << e.what();
      }
    }
  }
}

// Checks each directory of the tree at base: named entries first, as many as
// the header counts, names rising in upper case, ids rising.
void ExpectLoaderOrder(const Bytes& image, std::size_t base, std::uint32_t directory, int level) {
  const std::size_t at = base + directory;
  const std::uint32_t named = Get16(image, at + 12), count = named + Get16(image, at + 14);
  std::u16string lastName;
  std::uint32_t lastId = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t name = Get32(image, at + 16 + 8 * i), target = Get32(image, at + 20 + 8 * i);
    EXPECT_EQ((name & 0x80000000) != 0, i < named) << "entry " << i << " of level " << level;
    if (name & 0x80000000) {
      std::u16string upper;
      const std::size_t string = base + (name & 0x7FFFFFFF);
      for (std::uint32_t k = 0; k < Get16(image, string); ++k) {
        const auto c = static_cast<char16_t>(Get16(image, string + 2 + 2 * k));
        upper.push_back(c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c);
      }
      if (i > 0) {
        EXPECT_LT(lastName, upper);
      }
      lastName = upper;
    } else {
      if (i > named) {
        EXPECT_LT(lastId, name);
      }
      lastId = name;
    }
    EXPECT_EQ((target & 0x80000000) != 0, level < 2);
    if (level < 2) ExpectLoaderOrder(image, base, target & 0x7FFFFFFF, level + 1);
  }
}

std::uint32_t AlignedTo(std::uint32_t value, std::uint32_t alignment) { return test::Align(value, alignment); }

TEST(Branding, ImageStaysConsistent) {
  test::FixtureImage unstripped = test::StubImage(false);
  unstripped.Sections.push_back({"/4", test::Pattern(0x300, 12), 0x42100040});  // a debug section
  unstripped.NumberOfSymbols = 2;
  unstripped.SymbolTable = test::Pattern(2 * 18, 13);
  const std::string strings = ".debug_info";  // the string table: its size, then the names
  test::Add32(unstripped.SymbolTable, static_cast<std::uint32_t>(4 + strings.size() + 1));
  unstripped.SymbolTable.insert(unstripped.SymbolTable.end(), strings.c_str(), strings.c_str() + strings.size() + 1);

  // The loader maps no more than VirtualSize: the new section's addresses
  // start where the file's data of the last one still goes on.
  test::FixtureImage longRaw = test::StubImage(true);
  longRaw.Sections.back().Data = test::Pattern(0x1400, 14);
  longRaw.Sections.back().VirtualSize = 0x40;
  struct Case {
    const char* name;
    test::FixtureImage image;
  } const cases[] = {
      {"PE32", test::StubImage(false)},
      {"PE32+ whose last section has more data in the file than in memory", longRaw},
      {"PE32+", test::StubImage(true)},
      {"PE32 with a debug section and symbols", unstripped},
  };
  const Bytes ico = test::IcoFile({test::BitmapEntry(16, 4), test::BitmapEntry(32, 32)});
  const VersionText text{"Show", "Orrindale", "3.1.4.1", std::nullopt, "show.exe"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes stub = Build(c.image);
    const Bytes branded = BrandImage(stub, {ico, text});
    const auto before = test::SectionHeaders(stub);
    const auto after = test::SectionHeaders(branded);
    ASSERT_EQ(after.size(), before.size() + 1);
    const std::uint32_t opt = test::kOptionalHeader;
    // Tools that look the tree up by name find the live one.
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(after[i].Name, before[i].Name == ".rsrc" ? ".oldrsrc" : before[i].Name);
      EXPECT_EQ(after[i].VirtualAddress, before[i].VirtualAddress);
      EXPECT_EQ(after[i].PointerToRawData, before[i].PointerToRawData);
    }

    const test::SectionHeader& added = after.back();
    const test::SectionHeader& last = before.back();
    const std::uint32_t oldEnd = last.PointerToRawData + last.SizeOfRawData;
    EXPECT_EQ(added.Name, ".rsrc");
    EXPECT_EQ(added.Characteristics, 0x40000040u);
    EXPECT_EQ(added.VirtualAddress, AlignedTo(last.VirtualAddress + last.VirtualSize, test::kSectionAlignment));
    EXPECT_EQ(added.PointerToRawData, AlignedTo(oldEnd, test::kFileAlignment));
    EXPECT_EQ(added.SizeOfRawData, AlignedTo(added.VirtualSize, test::kFileAlignment));
    const std::uint32_t directory = test::DirectoryOffset(c.image.Is64, 2);
    EXPECT_EQ(Get32(branded, directory), added.VirtualAddress);
    EXPECT_EQ(Get32(branded, directory + 4), added.VirtualSize);
    EXPECT_EQ(Get32(branded, opt + 56), AlignedTo(added.VirtualAddress + added.VirtualSize, test::kSectionAlignment));
    EXPECT_EQ(Get32(branded, opt + 8), Get32(stub, opt + 8) + added.SizeOfRawData);
    EXPECT_EQ(Get32(branded, opt + 64), test::ExpectedChecksum(branded, opt + 64));
    EXPECT_TRUE(std::equal(stub.begin() + c.image.SizeOfHeaders, stub.begin() + oldEnd,
                           branded.begin() + c.image.SizeOfHeaders));

    const std::uint32_t newEnd = added.PointerToRawData + added.SizeOfRawData;
    if (c.image.SymbolTable.empty()) {
      EXPECT_EQ(branded.size(), newEnd);
    } else {
      EXPECT_EQ(Get32(branded, test::kPeOffset + 12), newEnd);
      EXPECT_EQ(Bytes(branded.begin() + newEnd, branded.end()), c.image.SymbolTable);
    }

    ExpectLoaderOrder(branded, added.PointerToRawData, 0, 0);
    // Nothing is left in the old tree's section: clearing it changes nothing.
    const std::vector<Resource> resources = Read(branded);
    Bytes cleared = branded;
    const test::SectionHeader& oldTree = before[*c.image.ResourceSection];
    std::fill_n(cleared.begin() + oldTree.PointerToRawData, oldTree.SizeOfRawData, 0);
    EXPECT_EQ(Read(cleared), resources);
    const auto untouched = [](const Resource& r) { return !IsType(r, 3) && !IsType(r, 14) && !IsType(r, 16); };
    EXPECT_EQ(Of(resources, untouched).size(), 6u);
    EXPECT_EQ(Without(resources, [&](const Resource& r) { return !untouched(r); }),
              Without(Read(stub), [&](const Resource& r) { return !untouched(r); }));
  }
}

// A branded stub is a plain stub again: branding it once more replaces the
// icon it was given and keeps its version text when none is asked for.
TEST(Branding, ABrandedStubBrandsAgain) {
  const Bytes stub = Build(test::StubImage(false));
  const Bytes once = BrandImage(stub, {test::IcoFile({test::BitmapEntry(16, 4, 1), test::BitmapEntry(32, 8, 2)}),
                                       VersionText{"First", {}, "1.0.0.0", {}, {}}});
  const Bytes icon = test::BitmapImage(48, 32, 3);
  const Bytes twice = BrandImage(once, {test::IcoFile({{48, 48, 0, 1, 32, icon}}), std::nullopt});

  std::vector<std::string> names;
  for (const test::SectionHeader& section : test::SectionHeaders(twice)) names.push_back(section.Name);
  EXPECT_EQ(names, (std::vector<std::string>{".text", ".data", ".oldrsrc", ".reloc", ".oldrsrc", ".rsrc"}));
  const std::vector<Resource> resources = Read(twice);
  std::set<std::uint16_t> iconIds;
  for (const Resource& r : resources)
    if (IsType(r, 3)) iconIds.insert(std::get<std::uint16_t>(r.Name));
  EXPECT_EQ(iconIds, (std::set<std::uint16_t>{1, 3}));
  EXPECT_TRUE(std::any_of(resources.begin(), resources.end(), [&](const Resource& r) { return r.Data == icon; }));
  EXPECT_EQ(Of(resources, [](const Resource& r) { return IsType(r, 16); }),
            Of(Read(once), [](const Resource& r) { return IsType(r, 16); }));
  EXPECT_EQ(Get32(twice, test::kOptionalHeader + 64), test::ExpectedChecksum(twice, test::kOptionalHeader + 64));
}

}  // namespace
}  // namespace vnx

// What branding refuses, each with the message the author reads: icon files
// that are not icons, images that are not programs or not plain unsigned
// stubs, resource trees that lie, version texts it cannot write.
#include "tools/vnxpack/branding/branding.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/tools/branding/icon_fixture.h"
#include "tests/tools/branding/pe_fixture.h"

namespace vnx {
namespace {

using test::Bytes;

Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value) {
  test::Put32(bytes, at, value);
  return bytes;
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

Bytes Stub() { return test::BuildImage(test::StubImage(false)); }

Bytes GoodIcon() { return test::IcoFile({test::BitmapEntry(16, 8), test::BitmapEntry(32, 32)}); }

Branding WithIcon(Bytes icon) { return {std::move(icon), VersionText{"Show", {}, "1.0.0.0", {}, {}}}; }
Branding WithText(VersionText text) { return {GoodIcon(), std::move(text)}; }

// A tree of one resource in the stub's .rsrc: the root (0x00) names type 3,
// its directory (0x18) id 1, that one's (0x30) language 0x409, whose data
// entry (0x48) names 16 bytes of .text. Each case breaks one field.
Bytes OneResourceTree() {
  Bytes tree;
  const auto directory = [&](std::uint32_t name, std::uint32_t target) {
    tree.resize(tree.size() + 14);
    test::Add16(tree, 1);
    test::Add32(tree, name);
    test::Add32(tree, target);
  };
  directory(3, 0x80000018);
  directory(1, 0x80000030);
  directory(0x409, 0x48);
  for (const std::uint32_t field : {0x1000u, 16u, 0u, 0u}) test::Add32(tree, field);
  return tree;
}

Bytes StubWithTree(const Bytes& tree) {
  test::FixtureImage image = test::StubImage(false, {});
  image.Sections.insert(image.Sections.begin() + 2, {".rsrc", tree, 0x40000040});
  image.ResourceSection = 2;
  return test::BuildImage(image);
}

Bytes TreePatched(std::size_t at, std::uint32_t value) { return StubWithTree(Patched(OneResourceTree(), at, value)); }

// One type, one name and eight languages, each its own data entry naming all
// of .text: more data than the whole image holds.
Bytes StubWithOverlappingData() {
  Bytes tree;
  const auto header = [&](std::uint32_t ids) {
    tree.resize(tree.size() + 14);
    test::Add16(tree, ids);
  };
  header(1);
  test::Add32(tree, 10);
  test::Add32(tree, 0x80000018);
  header(1);
  test::Add32(tree, 1);
  test::Add32(tree, 0x80000030);
  header(8);
  const std::uint32_t entries = 0x30 + 16 + 8 * 8;
  for (std::uint32_t i = 0; i < 8; ++i) {
    test::Add32(tree, i);
    test::Add32(tree, entries + 16 * i);
  }
  for (std::uint32_t i = 0; i < 8; ++i)
    for (const std::uint32_t field : {0x1000u, 0x345u, 0u, 0u}) test::Add32(tree, field);
  return StubWithTree(tree);
}

Bytes StubWithoutRoom() {
  test::FixtureImage image = test::StubImage(false, {});
  image.SizeOfHeaders = 0x200;  // the table of three sections ends 0x1F0
  return test::BuildImage(image);
}

Bytes Signed() {
  test::FixtureImage image = test::StubImage(false);
  image.CertificateSize = 0x100;
  Bytes bytes = test::BuildImage(image);
  bytes.resize(bytes.size() + 0x100, 0x30);
  return bytes;
}

Bytes WithTail(Bytes bytes, const std::string& tail) {
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(Branding, RefusesWithAPlainReason) {
  const std::size_t tableEnd = test::kOptionalHeader + 224 + 4 * 40;
  const std::size_t firstIconSize = 6 + 8;  // the size field of the first entry
  const Bytes oneIcon = test::IcoFile({test::BitmapEntry(16, 8)});
  struct Case {
    const char* name;
    std::function<Bytes()> image;
    std::function<Branding()> branding;
    std::string message;
  } const cases[] = {
      // The author's icon.
      {"text, not an icon", Stub, [] { return WithIcon(Text("hello, world")); },
       "not an icon file: its header is not that of an icon"},
      {"a cursor", Stub, [&] { return WithIcon(Patched(GoodIcon(), 2, 2)); },
       "not an icon file: its header is not that of an icon"},
      {"shorter than a header", Stub,
       [] {
         return WithIcon({0, 0, 1});
       },
       "not an icon file: it is shorter than an icon header"},
      {"no images", Stub,
       [] {
         return WithIcon({0, 0, 1, 0, 0, 0});
       },
       "not an icon file: it holds no images"},
      {"a directory cut short", Stub, [] { return WithIcon(Cut(GoodIcon(), 6 + 16)); },
       "not an icon file: its directory of 2 images is longer than the file"},
      {"the last image cut short", Stub, [&] { return WithIcon(Cut(oneIcon, oneIcon.size() - 1)); },
       "not an icon file: image 1 lies beyond the end of the file"},
      {"an empty image", Stub, [&] { return WithIcon(Patched(oneIcon, firstIconSize, 0)); },
       "not an icon file: image 1 is empty"},
      {"an image neither PNG nor bitmap", Stub,
       [] {
         return WithIcon(test::IcoFile({{16, 16, 0, 1, 8, Text(std::string(60, 'G'))}}));
       },
       "not an icon file: image 1 is neither a PNG image nor a bitmap"},
      {"a bitmap without pixels", Stub,
       [] {
         return WithIcon(test::IcoFile({{16, 16, 0, 1, 8, test::BitmapImage(0, 8)}}));
       },
       "not an icon file: image 1 is a bitmap of 0 by 0 pixels"},
      {"a bitmap too large", Stub,
       [] {
         return WithIcon(test::IcoFile({test::BitmapEntry(16, 8), {0, 0, 0, 1, 1, test::BitmapImage(300, 1)}}));
       },
       "not an icon file: image 2 is a bitmap of 300 by 600 pixels"},
      {"a bitmap of 3 bits", Stub,
       [] {
         return WithIcon(test::IcoFile({{16, 16, 0, 1, 3, test::BitmapImage(16, 3)}}));
       },
       "not an icon file: image 1 is a bitmap of 1 color planes and 3 bits per pixel"},
      // Images that are not programs.
      {"no MZ", [] { return Patched(Stub(), 0, 0); }, [] { return WithIcon(GoodIcon()); },
       "the stub is not a program image: it does not start with \"MZ\""},
      {"no PE signature", [] { return Patched(Stub(), test::kPeOffset, 0x4551); }, [] { return WithIcon(GoodIcon()); },
       "the stub is not a program image: it has no PE signature"},
      {"cut inside the PE header", [] { return Cut(Stub(), test::kPeOffset + 10); },
       [] { return WithIcon(GoodIcon()); }, "the stub is not a program image: its PE header lies beyond its end"},
      {"cut inside the optional header", [] { return Cut(Stub(), test::kOptionalHeader + 100); },
       [] { return WithIcon(GoodIcon()); }, "the stub is not a program image: its optional header is cut short"},
      {"neither PE32 nor PE32+", [] { return Patched(Stub(), test::kOptionalHeader, 0x107); },
       [] { return WithIcon(GoodIcon()); },
       "the stub is not a program image: its optional header is neither PE32 nor PE32+"},
      {"a section table past the end", [] { return Patched(Stub(), test::kPeOffset + 6, 0xFFFF); },
       [] { return WithIcon(GoodIcon()); }, "the stub is damaged: its section table lies beyond its end"},
      {"a section cut short", [] { return Cut(Stub(), Stub().size() - 1); }, [] { return WithIcon(GoodIcon()); },
       "the stub is damaged: section \".reloc\" reaches beyond the end of the file"},
      // Programs that are not plain stubs.
      {"signed", Signed, [] { return WithIcon(GoodIcon()); },
       "the stub is signed: brand an unsigned runner and sign the result"},
      {"sessions behind it", [] { return WithTail(Stub(), "session"); }, [] { return WithIcon(GoodIcon()); },
       "the stub carries 7 bytes behind its sections: brand a plain runner, then append the sessions"},
      {"no room for a section header", StubWithoutRoom, [] { return WithIcon(GoodIcon()); },
       "the stub has no room for another section header"},
      {"something right behind the section table", [&] { return Patched(Stub(), tableEnd + 4, 0x1234); },
       [] { return WithIcon(GoodIcon()); }, "the stub has no room for another section header"},
      // Resource trees that lie.
      {"a root outside the sections", [] { return Patched(Stub(), test::DirectoryOffset(false, 2), 0x7000000); },
       [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: its root lies outside the image's sections"},
      {"a loop back to the root", [] { return TreePatched(0x2C, 0x80000000); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a directory or a resource is reached twice"},
      {"a fourth level", [] { return TreePatched(0x44, 0x80000030); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: it is deeper than type, name and language"},
      {"a type leading to data", [] { return TreePatched(0x14, 0x48); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a type or a name leads to data instead of languages"},
      {"a directory outside", [] { return TreePatched(0x14, 0xFFFFF000); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a directory lies outside its section"},
      {"a data entry outside", [] { return TreePatched(0x44, 0x7FFFFFF0); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a data entry lies outside its section"},
      {"data outside the sections", [] { return TreePatched(0x48, 0xFFFFFF00); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a resource's data lies outside the image's sections"},
      {"a name outside", [] { return TreePatched(0x10, 0xFFFFFFF0); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a name lies outside its section"},
      {"a named language", [] { return TreePatched(0x40, 0x80000010); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: a language is a name"},
      {"an id above 65535", [] { return TreePatched(0x28, 0x10001); }, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: an id is larger than 65535"},
      {"more data than the image", StubWithOverlappingData, [] { return WithIcon(GoodIcon()); },
       "the stub's resource tree lies: its resources add up to more than the whole image"},
      // The author's version text.
      {"a title not in UTF-8", Stub,
       [] {
         return WithText({"Pr\xC3\x28sentation", {}, {}, {}, {}});
       },
       "the title is not valid UTF-8"},
      {"an overlong encoding", Stub,
       [] {
         return WithText({{}, "\xC0\xAF", {}, {}, {}});
       },
       "the company is not valid UTF-8"},
      {"a NUL in the copyright", Stub,
       [] {
         return WithText({{}, {}, {}, std::string("a\0b", 3), {}});
       },
       "the copyright holds a NUL character"},
      {"three version numbers", Stub,
       [] {
         return WithText({{}, {}, "1.2.3", {}, {}});
       },
       "the file version \"1.2.3\" is not four numbers A.B.C.D of 0 to 65535"},
      {"a version number too large", Stub,
       [] {
         return WithText({{}, {}, "1.2.3.65536", {}, {}});
       },
       "the file version \"1.2.3.65536\" is not four numbers A.B.C.D of 0 to 65535"},
      {"a title too long for the resource", Stub,
       [] {
         std::string title;
         for (int i = 0; i < 20000; ++i) title += "é";
         return WithText({title, {}, {}, {}, {}});
       },
       "the version text is too long: a version resource holds at most 65535 bytes"},
      // The author's faults are named before the stub's.
      {"a bad icon on a bad stub", [] { return Patched(Stub(), 0, 0); }, [] { return WithIcon(Text("GIF89a")); },
       "not an icon file: its header is not that of an icon"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      BrandImage(c.image(), c.branding());
      ADD_FAILURE() << "branded";
    } catch (const EBrandingError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace vnx

#include "tools/vnxpack/branding/pe_image.h"

#include <algorithm>

#include "tools/vnxpack/branding/branding_error.h"
#include "tools/vnxpack/branding/byte_fields.h"

namespace vnx {
namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint64_t kSymbolSize = 18;
constexpr std::uint32_t kMaxDirectories = 16;
constexpr std::uint64_t kMaxFileOffset = 0xFFFFFFFF;

[[noreturn]] void NotAnImage(const std::string& why) {
  throw EBrandingError("the stub is not a program image: " + why);
}
[[noreturn]] void Damaged(const std::string& why) { throw EBrandingError("the stub is damaged: " + why); }

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

PeSection ReadSectionHeader(std::span<const std::uint8_t> image, std::uint64_t at) {
  PeSection section;
  std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), section.Name.size(), section.Name.begin());
  section.VirtualSize = ReadU32(image, at + 8);
  section.VirtualAddress = ReadU32(image, at + 12);
  section.SizeOfRawData = ReadU32(image, at + 16);
  section.PointerToRawData = ReadU32(image, at + 20);
  section.Characteristics = ReadU32(image, at + 36);
  return section;
}

// The optional header's fixed part and data directories, checked against
// SizeOfOptionalHeader and the bytes.
void ReadOptionalHeader(std::span<const std::uint8_t> image, std::uint16_t optionalSize, PeLayout& layout) {
  const std::uint64_t at = layout.OptionalHeaderOffset;
  if (optionalSize < 2 || !FitsIn(image.size(), at, optionalSize)) NotAnImage("its optional header is cut short");
  const std::uint16_t magic = ReadU16(image, at);
  if (magic != kPe32Magic && magic != kPe32PlusMagic) NotAnImage("its optional header is neither PE32 nor PE32+");
  layout.Is64 = magic == kPe32PlusMagic;
  const std::uint64_t countOffset = layout.Is64 ? 108 : 92;
  if (optionalSize < countOffset + 4) NotAnImage("its optional header is cut short");
  layout.SectionAlignment = ReadU32(image, at + 32);
  layout.FileAlignment = ReadU32(image, at + 36);
  layout.SizeOfImage = ReadU32(image, at + 56);
  layout.SizeOfHeaders = ReadU32(image, at + 60);
  const std::uint32_t directories = std::min(ReadU32(image, at + countOffset), kMaxDirectories);
  layout.DirectoriesOffset = at + countOffset + 4;
  if (optionalSize < countOffset + 4 + std::uint64_t{directories} * 8) Damaged("its data directories are cut short");
  for (std::uint32_t i = 0; i < directories; ++i)
    layout.Directories.push_back(
        {ReadU32(image, layout.DirectoriesOffset + 8ull * i), ReadU32(image, layout.DirectoriesOffset + 8ull * i + 4)});
  if (!IsPowerOfTwo(layout.FileAlignment) || !IsPowerOfTwo(layout.SectionAlignment) || layout.FileAlignment > 0x10000 ||
      layout.SectionAlignment < layout.FileAlignment || layout.SectionAlignment > 0x10000000)
    Damaged("its file or section alignment is not a power of two in range");
}

void ReadSections(std::span<const std::uint8_t> image, std::uint16_t count, PeLayout& layout) {
  if (!FitsIn(image.size(), layout.SectionTableOffset, count * kSectionHeaderSize))
    Damaged("its section table lies beyond its end");
  if (layout.SectionTableOffset + count * kSectionHeaderSize > layout.SizeOfHeaders ||
      layout.SizeOfHeaders > image.size())
    Damaged("its headers are larger than SizeOfHeaders says or than the file");
  layout.EndOfSections = layout.SizeOfHeaders;
  for (std::uint16_t i = 0; i < count; ++i) {
    const PeSection section = ReadSectionHeader(image, layout.SectionTableOffset + i * kSectionHeaderSize);
    if (section.SizeOfRawData != 0) {
      if (!FitsIn(image.size(), section.PointerToRawData, section.SizeOfRawData))
        Damaged("section \"" + SectionName(section) + "\" reaches beyond the end of the file");
      layout.EndOfSections =
          std::max(layout.EndOfSections, std::uint64_t{section.PointerToRawData} + section.SizeOfRawData);
    }
    const std::uint64_t extent = std::max(section.VirtualSize, section.SizeOfRawData);
    if (section.VirtualAddress + extent > kMaxFileOffset + 1)
      Damaged("section \"" + SectionName(section) + "\" reaches beyond 4 GiB");
    layout.Sections.push_back(section);
  }
}

// The loader maps raw data up to VirtualSize only: bytes behind it in the
// file are not part of the image, and the next section's addresses may
// start there.
std::uint32_t MappedRawSize(const PeSection& section) {
  return section.VirtualSize != 0 ? std::min(section.VirtualSize, section.SizeOfRawData) : section.SizeOfRawData;
}

// An unstripped build's symbols sit right behind the sections, the string
// table (its first field its own size) ending the file.
std::uint64_t TrailingSymbolTableSize(std::span<const std::uint8_t> image, const PeLayout& layout) {
  const std::uint32_t pointer = ReadU32(image, layout.FileHeaderOffset + 8);
  const std::uint64_t symbols = ReadU32(image, layout.FileHeaderOffset + 12) * kSymbolSize;
  if (pointer == 0 || pointer != layout.EndOfSections || !FitsIn(image.size(), pointer, symbols + 4)) return 0;
  const std::uint32_t strings = ReadU32(image, pointer + symbols);
  if (strings < 4 || pointer + symbols + strings != image.size()) return 0;
  return symbols + strings;
}

}  // namespace

PeLayout ReadPeLayout(std::span<const std::uint8_t> image) {
  if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') NotAnImage("it does not start with \"MZ\"");
  PeLayout layout;
  const std::uint32_t peOffset = ReadU32(image, 0x3C);
  if (!FitsIn(image.size(), peOffset, 4 + kFileHeaderSize)) NotAnImage("its PE header lies beyond its end");
  if (ReadU32(image, peOffset) != 0x00004550) NotAnImage("it has no PE signature");
  layout.FileHeaderOffset = std::uint64_t{peOffset} + 4;
  const std::uint16_t sectionCount = ReadU16(image, layout.FileHeaderOffset + 2);
  const std::uint16_t optionalSize = ReadU16(image, layout.FileHeaderOffset + 16);
  layout.OptionalHeaderOffset = layout.FileHeaderOffset + kFileHeaderSize;
  ReadOptionalHeader(image, optionalSize, layout);
  layout.SectionTableOffset = layout.OptionalHeaderOffset + optionalSize;
  ReadSections(image, sectionCount, layout);
  layout.SymbolTableSize = TrailingSymbolTableSize(image, layout);
  return layout;
}

std::string SectionName(const PeSection& section) {
  std::string name;
  for (const std::uint8_t c : section.Name) {
    if (c == 0) break;
    name.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  }
  return name;
}

std::optional<std::uint64_t> FileOffsetOfRva(const PeLayout& layout, std::uint32_t rva, std::uint32_t length) {
  for (const PeSection& section : layout.Sections) {
    if (rva < section.VirtualAddress) continue;
    const std::uint64_t into = rva - section.VirtualAddress;
    if (FitsIn(MappedRawSize(section), into, length)) return section.PointerToRawData + into;
  }
  return std::nullopt;
}

std::span<const std::uint8_t> SectionBytesFrom(std::span<const std::uint8_t> image, const PeLayout& layout,
                                               std::uint32_t rva) {
  for (const PeSection& section : layout.Sections) {
    if (rva < section.VirtualAddress || rva - section.VirtualAddress >= MappedRawSize(section)) continue;
    const std::uint64_t into = rva - section.VirtualAddress;
    return image.subspan(static_cast<std::size_t>(section.PointerToRawData + into),
                         static_cast<std::size_t>(MappedRawSize(section) - into));
  }
  return {};
}

bool HasRoomForSectionHeader(std::span<const std::uint8_t> image, const PeLayout& layout) {
  if (layout.Sections.size() >= 0xFFFF) return false;
  const std::uint64_t slot = layout.SectionTableOffset + layout.Sections.size() * kSectionHeaderSize;
  const std::uint64_t end = slot + kSectionHeaderSize;
  if (end > layout.SizeOfHeaders) return false;
  for (const PeSection& section : layout.Sections)
    if (section.SizeOfRawData != 0 && end > section.PointerToRawData) return false;
  const auto bytes = image.subspan(static_cast<std::size_t>(slot), kSectionHeaderSize);
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::uint32_t NextSectionRva(const PeLayout& layout) {
  std::uint64_t end = std::max(AlignUp(layout.SizeOfHeaders, layout.SectionAlignment),
                               AlignUp(layout.SizeOfImage, layout.SectionAlignment));
  for (const PeSection& section : layout.Sections) {
    const std::uint32_t extent = section.VirtualSize != 0 ? section.VirtualSize : section.SizeOfRawData;
    end = std::max(end, AlignUp(std::uint64_t{section.VirtualAddress} + extent, layout.SectionAlignment));
  }
  if (end > kMaxFileOffset) throw EBrandingError("the stub leaves no address space for another section");
  return static_cast<std::uint32_t>(end);
}

std::vector<std::uint8_t> AppendSection(std::span<const std::uint8_t> image, const PeLayout& layout,
                                        const SectionToAppend& section) {
  const std::uint64_t rawPointer = AlignUp(layout.EndOfSections, layout.FileAlignment);
  const std::uint64_t rawSize = AlignUp(section.Data.size(), layout.FileAlignment);
  const std::uint64_t mappedEnd =
      AlignUp(std::uint64_t{section.VirtualAddress} + section.Data.size(), layout.SectionAlignment);
  if (rawPointer + rawSize + layout.SymbolTableSize > kMaxFileOffset || mappedEnd > kMaxFileOffset)
    throw EBrandingError("the branded program would be larger than 4 GiB");

  std::vector<std::uint8_t> out(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(layout.EndOfSections));
  out.resize(static_cast<std::size_t>(rawPointer), 0);
  out.insert(out.end(), section.Data.begin(), section.Data.end());
  out.resize(static_cast<std::size_t>(rawPointer + rawSize), 0);
  if (layout.SymbolTableSize != 0) {
    const auto symbols =
        image.subspan(static_cast<std::size_t>(layout.EndOfSections), static_cast<std::size_t>(layout.SymbolTableSize));
    out.insert(out.end(), symbols.begin(), symbols.end());
    PutU32(out, layout.FileHeaderOffset + 8, static_cast<std::uint32_t>(rawPointer + rawSize));
  }

  const std::uint64_t header = layout.SectionTableOffset + layout.Sections.size() * kSectionHeaderSize;
  std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(header), kSectionHeaderSize, 0);
  std::copy_n(section.Name.begin(), std::min<std::size_t>(section.Name.size(), 8),
              out.begin() + static_cast<std::ptrdiff_t>(header));
  PutU32(out, header + 8, static_cast<std::uint32_t>(section.Data.size()));
  PutU32(out, header + 12, section.VirtualAddress);
  PutU32(out, header + 16, static_cast<std::uint32_t>(rawSize));
  PutU32(out, header + 20, static_cast<std::uint32_t>(rawPointer));
  PutU32(out, header + 36, section.Characteristics);

  PutU16(out, layout.FileHeaderOffset + 2, static_cast<std::uint16_t>(layout.Sections.size() + 1));
  PutU32(out, layout.OptionalHeaderOffset + 56, static_cast<std::uint32_t>(mappedEnd));
  // The sum is a statistic nothing loads by; past 4 GiB it stays at the top.
  const std::uint64_t initialized = ReadU32(out, layout.OptionalHeaderOffset + 8) + rawSize;
  PutU32(out, layout.OptionalHeaderOffset + 8, static_cast<std::uint32_t>(std::min(initialized, kMaxFileOffset)));
  return out;
}

void RenameSections(std::span<std::uint8_t> image, const PeLayout& layout, std::string_view from, std::string_view to) {
  std::array<std::uint8_t, 8> oldName{}, newName{};
  std::copy_n(from.begin(), std::min<std::size_t>(from.size(), 8), oldName.begin());
  std::copy_n(to.begin(), std::min<std::size_t>(to.size(), 8), newName.begin());
  for (std::size_t i = 0; i < layout.Sections.size(); ++i) {
    if (layout.Sections[i].Name != oldName) continue;
    const std::uint64_t at = layout.SectionTableOffset + i * kSectionHeaderSize;
    CheckField(image.size(), at, newName.size());
    std::copy(newName.begin(), newName.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
  }
}

void SetDataDirectory(std::span<std::uint8_t> image, const PeLayout& layout, unsigned index, DataDirectory entry) {
  if (index >= layout.Directories.size())
    throw EBrandingError("the stub's optional header has no data directory entry " + std::to_string(index));
  PutU32(image, layout.DirectoriesOffset + 8ull * index, entry.VirtualAddress);
  PutU32(image, layout.DirectoriesOffset + 8ull * index + 4, entry.Size);
}

std::uint32_t PeChecksum(std::span<const std::uint8_t> image, std::uint64_t checkSumOffset) {
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < image.size(); at += 2) {
    std::uint32_t word = image[at];
    if (at + 1 < image.size()) word |= static_cast<std::uint32_t>(image[at + 1]) << 8;
    // The field counts as zero wherever it lies, even straddling two words.
    for (std::size_t k = 0; k < 2; ++k)
      if (at + k >= checkSumOffset && at + k < checkSumOffset + 4) word &= ~(0xFFu << (8 * k));
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  return sum + static_cast<std::uint32_t>(image.size());
}

void UpdateChecksum(std::span<std::uint8_t> image, const PeLayout& layout) {
  PutU32(image, layout.CheckSumOffset(), PeChecksum(image, layout.CheckSumOffset()));
}

}  // namespace vnx

#pragma once
// The headers of a PE image (PE32 and PE32+), read and checked against its
// bytes, and the few changes branding makes to them: one more section behind
// the others, a data directory entry, the checksum.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vnx {

inline constexpr unsigned kResourceDirectory = 2;     // IMAGE_DIRECTORY_ENTRY_RESOURCE
inline constexpr unsigned kCertificateDirectory = 4;  // IMAGE_DIRECTORY_ENTRY_SECURITY: Authenticode
inline constexpr std::size_t kSectionHeaderSize = 40;

struct PeSection {
  std::array<std::uint8_t, 8> Name{};
  std::uint32_t VirtualSize = 0;
  std::uint32_t VirtualAddress = 0;
  std::uint32_t SizeOfRawData = 0;
  std::uint32_t PointerToRawData = 0;
  std::uint32_t Characteristics = 0;
};

struct DataDirectory {
  std::uint32_t VirtualAddress = 0;
  std::uint32_t Size = 0;
};

struct PeLayout {
  bool Is64 = false;                   // PE32+
  std::uint64_t FileHeaderOffset = 0;  // the COFF header, behind "PE\0\0"
  std::uint64_t OptionalHeaderOffset = 0;
  std::uint64_t SectionTableOffset = 0;
  std::uint32_t SizeOfHeaders = 0;
  std::uint32_t FileAlignment = 0;
  std::uint32_t SectionAlignment = 0;
  std::uint32_t SizeOfImage = 0;
  std::uint64_t DirectoriesOffset = 0;
  std::vector<DataDirectory> Directories;  // as many as the optional header holds, at most 16
  std::vector<PeSection> Sections;
  // Behind the last section's raw data (at least SizeOfHeaders).
  std::uint64_t EndOfSections = 0;
  // A COFF symbol and string table lying right behind the sections up to the
  // end of the bytes, as an unstripped build leaves it (its string table
  // names the long sections "/4"...); 0 when there is none.
  std::uint64_t SymbolTableSize = 0;

  DataDirectory Directory(unsigned index) const {
    return index < Directories.size() ? Directories[index] : DataDirectory{};
  }
  std::uint64_t CheckSumOffset() const { return OptionalHeaderOffset + 64; }
};

// Throws EBrandingError when the bytes are not a PE image or its headers lie.
PeLayout ReadPeLayout(std::span<const std::uint8_t> image);

// A section's name for messages: printable ASCII up to the first NUL.
std::string SectionName(const PeSection& section);

// The file offset of length bytes at rva, when one section's raw data holds them all.
std::optional<std::uint64_t> FileOffsetOfRva(const PeLayout& layout, std::uint32_t rva, std::uint32_t length);
// The bytes from rva to the end of the raw data of the section holding it; empty when none does.
std::span<const std::uint8_t> SectionBytesFrom(std::span<const std::uint8_t> image, const PeLayout& layout,
                                               std::uint32_t rva);

// Whether one more section header fits between the table and the first
// section's raw data, over bytes nothing uses.
bool HasRoomForSectionHeader(std::span<const std::uint8_t> image, const PeLayout& layout);

// Where a section appended behind the others is mapped.
std::uint32_t NextSectionRva(const PeLayout& layout);

struct SectionToAppend {
  std::string_view Name;             // at most 8 bytes
  std::uint32_t VirtualAddress = 0;  // NextSectionRva
  std::span<const std::uint8_t> Data;
  std::uint32_t Characteristics = 0;  // counted in SizeOfInitializedData
};

// The image with the section's raw data behind the last section's (a
// trailing symbol table moves behind it) and its header added to the table:
// NumberOfSections, SizeOfImage and SizeOfInitializedData follow. The
// caller has checked HasRoomForSectionHeader; the checksum is left as it was.
std::vector<std::uint8_t> AppendSection(std::span<const std::uint8_t> image, const PeLayout& layout,
                                        const SectionToAppend& section);

// Renames every section called from (names of at most 8 bytes).
void RenameSections(std::span<std::uint8_t> image, const PeLayout& layout, std::string_view from, std::string_view to);

// Throws when the optional header has no such entry.
void SetDataDirectory(std::span<std::uint8_t> image, const PeLayout& layout, unsigned index, DataDirectory entry);

// The standard PE checksum: 16-bit one's-complement sum of the image with
// the CheckSum field read as zero, plus the image's length.
std::uint32_t PeChecksum(std::span<const std::uint8_t> image, std::uint64_t checkSumOffset);
void UpdateChecksum(std::span<std::uint8_t> image, const PeLayout& layout);

}  // namespace vnx

#pragma once
// The layout of a session appended behind an executable: file records (a
// 796-byte header followed by the file's stored data) closed by a 220-byte
// trailer. The authoring tool and the reader both go through these functions,
// so the layout is written down once.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vnx {

// The session every runner asks for and the authoring tool writes by default.
inline constexpr const char* kDefaultSessionName = "Session1";
inline constexpr std::uint32_t kRecordMarker = 0x6A4A61A3;
inline constexpr std::uint32_t kEndMarker = 0x8CF9BF0D;
inline constexpr std::size_t kTrailerSize = 220;
inline constexpr std::size_t kHeaderSize = 796;
// Files of this size or more are stored as one zlib stream, smaller ones raw.
inline constexpr std::int32_t kCompressedFrom = 109;
// Data moves in pieces of this size.
inline constexpr std::int32_t kPieceSize = 65536;
// The backward search examines windows ending at this position or later.
inline constexpr std::int64_t kSearchFloor = 2048;
// Capacity of the trailer's two short strings, and of the header's three.
inline constexpr std::size_t kTrailerTextMax = 63;
inline constexpr std::size_t kHeaderTextMax = 255;

// h = h * 3 + b over the bytes, modulo 2^32.
std::uint32_t RecordChecksum(const std::uint8_t* data, std::size_t size);

struct SessionTrailer {
  std::int32_t SessionOffset = 0;  // absolute offset of the first file record
  std::int32_t RecordsLength = 0;  // bytes from the first record to the trailer
  std::int32_t RecordCount = 0;
  std::int32_t TotalSize = 0;  // sum of the file sizes
  std::string VersionText;
  std::string SessionName;
};

struct FileRecordHeader {
  std::string FileName;
  std::string SourceDir;  // where the file came from, with a trailing backslash
  std::string Placement;
  std::int32_t FileSize = 0;        // as extracted
  std::int32_t StoredSize = 0;      // data bytes behind the header
  std::uint64_t LastWriteTime = 0;  // Windows FILETIME
};

// A window is a trailer when both markers stand in place and the checksum
// matches; the same holds for a header.
bool IsValidTrailer(const std::uint8_t* window);
bool IsValidHeader(const std::uint8_t* header);

// Parsing reads the fields of a valid block; a length byte beyond a field's
// capacity is cut to the capacity, so a text never reaches into the next field.
SessionTrailer ParseTrailer(const std::uint8_t* window);
FileRecordHeader ParseHeader(const std::uint8_t* header);

// Formatting writes markers and checksum and leaves unused bytes zero. The
// caller keeps texts within their capacity (longer ones are cut).
void FormatTrailer(const SessionTrailer& trailer, std::uint8_t* window);
void FormatHeader(const FileRecordHeader& header, std::uint8_t* out);

std::uint32_t ReadLittleEndian32(const std::uint8_t* at);
void WriteLittleEndian32(std::uint8_t* at, std::uint32_t value);

}  // namespace vnx

#include "session/session_format.h"

#include <algorithm>
#include <cstring>

namespace vnx {
namespace {

// Trailer offsets.
constexpr std::size_t kTrailerOffset = 4, kTrailerLength = 8, kTrailerCount = 12, kTrailerReserved = 16,
                      kTrailerTotal = 20, kTrailerVersion = 24, kTrailerName = 88, kTrailerChecksum = 212,
                      kTrailerEnd = 216, kTrailerTextField = 64;
// Header offsets.
constexpr std::size_t kHeaderName = 4, kHeaderDir = 260, kHeaderPlacement = 516, kHeaderFileSize = 772,
                      kHeaderStoredSize = 776, kHeaderTime = 780, kHeaderChecksum = 788, kHeaderEnd = 792,
                      kHeaderTextField = 256;

std::string ReadShortString(const std::uint8_t* field, std::size_t fieldWidth) {
  const std::size_t length = std::min<std::size_t>(field[0], fieldWidth - 1);
  return std::string(reinterpret_cast<const char*>(field + 1), length);
}

void WriteShortString(std::uint8_t* field, std::size_t fieldWidth, std::string_view text) {
  const std::size_t length = std::min(text.size(), fieldWidth - 1);
  field[0] = static_cast<std::uint8_t>(length);
  std::memcpy(field + 1, text.data(), length);
}

std::int32_t ReadInt32(const std::uint8_t* at) { return static_cast<std::int32_t>(ReadLittleEndian32(at)); }
void WriteInt32(std::uint8_t* at, std::int32_t value) { WriteLittleEndian32(at, static_cast<std::uint32_t>(value)); }

bool IsValidBlock(const std::uint8_t* block, std::size_t checksumAt, std::size_t endAt) {
  return ReadLittleEndian32(block + endAt) == kEndMarker && ReadLittleEndian32(block) == kRecordMarker &&
         ReadLittleEndian32(block + checksumAt) == RecordChecksum(block, checksumAt);
}

void Seal(std::uint8_t* block, std::size_t checksumAt, std::size_t endAt) {
  WriteLittleEndian32(block, kRecordMarker);
  WriteLittleEndian32(block + checksumAt, RecordChecksum(block, checksumAt));
  WriteLittleEndian32(block + endAt, kEndMarker);
}

}  // namespace

std::uint32_t ReadLittleEndian32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void WriteLittleEndian32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t RecordChecksum(const std::uint8_t* data, std::size_t size) {
  std::uint32_t h = 0;
  for (std::size_t i = 0; i < size; ++i) h = h * 3u + data[i];
  return h;
}

bool IsValidTrailer(const std::uint8_t* window) { return IsValidBlock(window, kTrailerChecksum, kTrailerEnd); }
bool IsValidHeader(const std::uint8_t* header) { return IsValidBlock(header, kHeaderChecksum, kHeaderEnd); }

SessionTrailer ParseTrailer(const std::uint8_t* window) {
  SessionTrailer trailer;
  trailer.SessionOffset = ReadInt32(window + kTrailerOffset);
  trailer.RecordsLength = ReadInt32(window + kTrailerLength);
  trailer.RecordCount = ReadInt32(window + kTrailerCount);
  trailer.TotalSize = ReadInt32(window + kTrailerTotal);
  trailer.VersionText = ReadShortString(window + kTrailerVersion, kTrailerTextField);
  trailer.SessionName = ReadShortString(window + kTrailerName, kTrailerTextField);
  return trailer;
}

FileRecordHeader ParseHeader(const std::uint8_t* header) {
  FileRecordHeader result;
  result.FileName = ReadShortString(header + kHeaderName, kHeaderTextField);
  result.SourceDir = ReadShortString(header + kHeaderDir, kHeaderTextField);
  result.Placement = ReadShortString(header + kHeaderPlacement, kHeaderTextField);
  result.FileSize = ReadInt32(header + kHeaderFileSize);
  result.StoredSize = ReadInt32(header + kHeaderStoredSize);
  result.LastWriteTime = ReadLittleEndian32(header + kHeaderTime) |
                         static_cast<std::uint64_t>(ReadLittleEndian32(header + kHeaderTime + 4)) << 32;
  return result;
}

void FormatTrailer(const SessionTrailer& trailer, std::uint8_t* window) {
  std::memset(window, 0, kTrailerSize);
  WriteInt32(window + kTrailerOffset, trailer.SessionOffset);
  WriteInt32(window + kTrailerLength, trailer.RecordsLength);
  WriteInt32(window + kTrailerCount, trailer.RecordCount);
  WriteInt32(window + kTrailerReserved, 0);
  WriteInt32(window + kTrailerTotal, trailer.TotalSize);
  WriteShortString(window + kTrailerVersion, kTrailerTextField, trailer.VersionText);
  WriteShortString(window + kTrailerName, kTrailerTextField, trailer.SessionName);
  Seal(window, kTrailerChecksum, kTrailerEnd);
}

void FormatHeader(const FileRecordHeader& header, std::uint8_t* out) {
  std::memset(out, 0, kHeaderSize);
  WriteShortString(out + kHeaderName, kHeaderTextField, header.FileName);
  WriteShortString(out + kHeaderDir, kHeaderTextField, header.SourceDir);
  WriteShortString(out + kHeaderPlacement, kHeaderTextField, header.Placement);
  WriteInt32(out + kHeaderFileSize, header.FileSize);
  WriteInt32(out + kHeaderStoredSize, header.StoredSize);
  WriteLittleEndian32(out + kHeaderTime, static_cast<std::uint32_t>(header.LastWriteTime));
  WriteLittleEndian32(out + kHeaderTime + 4, static_cast<std::uint32_t>(header.LastWriteTime >> 32));
  Seal(out, kHeaderChecksum, kHeaderEnd);
}

}  // namespace vnx

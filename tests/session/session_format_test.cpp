#include "session/session_format.h"

#include <gtest/gtest.h>

#include <string>

namespace vnx {
namespace {

TEST(RecordChecksum, TimesThreePlusByteModulo2To32) {
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(RecordChecksum(abc, 3), 1266u);
  EXPECT_EQ(RecordChecksum(abc, 0), 0u);
  // 3^21 overflows 32 bits: 21 bytes of 0xFF wrap around.
  const std::string ones(21, '\xFF');
  std::uint64_t expected = 0;
  for (int i = 0; i < 21; ++i) expected = (expected * 3 + 255) % (1ull << 32);
  EXPECT_EQ(RecordChecksum(reinterpret_cast<const std::uint8_t*>(ones.data()), ones.size()), expected);
}

TEST(SessionTrailer, LayoutRoundTripAndValidity) {
  SessionTrailer trailer;
  trailer.SessionOffset = 1000;
  trailer.RecordsLength = 2000;
  trailer.RecordCount = 3;
  trailer.TotalSize = -5;
  trailer.VersionText = "Pellam Vornex Version 1.01";
  trailer.SessionName = std::string(63, 'n');
  std::uint8_t window[kTrailerSize];
  FormatTrailer(trailer, window);

  EXPECT_EQ(ReadLittleEndian32(window), kRecordMarker);
  EXPECT_EQ(window[0], 0xA3);
  EXPECT_EQ(window[216], 0x0D);
  EXPECT_EQ(window[219], 0x8C);
  EXPECT_EQ(ReadLittleEndian32(window + 4), 1000u);
  EXPECT_EQ(ReadLittleEndian32(window + 16), 0u);
  EXPECT_EQ(window[24], 26);
  EXPECT_EQ(window[88], 63);
  EXPECT_EQ(ReadLittleEndian32(window + 212), RecordChecksum(window, 212));
  ASSERT_TRUE(IsValidTrailer(window));

  const SessionTrailer parsed = ParseTrailer(window);
  EXPECT_EQ(parsed.SessionOffset, 1000);
  EXPECT_EQ(parsed.RecordsLength, 2000);
  EXPECT_EQ(parsed.RecordCount, 3);
  EXPECT_EQ(parsed.TotalSize, -5);
  EXPECT_EQ(parsed.VersionText, trailer.VersionText);
  EXPECT_EQ(parsed.SessionName, trailer.SessionName);

  for (std::size_t offset : {0u, 3u, 50u, 211u, 212u, 216u, 219u}) {
    std::uint8_t damaged[kTrailerSize];
    std::copy(window, window + kTrailerSize, damaged);
    damaged[offset] ^= 0x01;
    EXPECT_FALSE(IsValidTrailer(damaged)) << "byte " << offset;
  }
}

TEST(FileRecordHeader, LayoutRoundTripAndValidity) {
  const FileRecordHeader header{"movie.exe", "C:\\build\\", "PTOOL.SATELLITE:PVIEW.EXE",
                                123456,      7890,          0x01D2'3456'789A'BCDEull};
  std::uint8_t block[kHeaderSize];
  FormatHeader(header, block);
  EXPECT_EQ(block[4], 9);
  EXPECT_EQ(block[260], 9);
  EXPECT_EQ(block[516], 25);
  EXPECT_EQ(ReadLittleEndian32(block + 772), 123456u);
  EXPECT_EQ(ReadLittleEndian32(block + 776), 7890u);
  EXPECT_EQ(ReadLittleEndian32(block + 780), 0x789ABCDEu);  // low half first
  EXPECT_EQ(ReadLittleEndian32(block + 784), 0x01D23456u);
  ASSERT_TRUE(IsValidHeader(block));

  const FileRecordHeader parsed = ParseHeader(block);
  EXPECT_EQ(parsed.FileName, header.FileName);
  EXPECT_EQ(parsed.SourceDir, header.SourceDir);
  EXPECT_EQ(parsed.Placement, header.Placement);
  EXPECT_EQ(parsed.FileSize, header.FileSize);
  EXPECT_EQ(parsed.StoredSize, header.StoredSize);
  EXPECT_EQ(parsed.LastWriteTime, header.LastWriteTime);

  for (std::size_t offset : {0u, 100u, 787u, 788u, 795u}) {
    std::uint8_t damaged[kHeaderSize];
    std::copy(block, block + kHeaderSize, damaged);
    damaged[offset] ^= 0x80;
    EXPECT_FALSE(IsValidHeader(damaged)) << "byte " << offset;
  }
}

TEST(ShortStrings, ALengthBeyondTheFieldIsCutToItsCapacity) {
  std::uint8_t window[kTrailerSize];
  FormatTrailer(SessionTrailer{}, window);
  window[88] = 200;  // the name's length byte claims more than its 64-byte field
  EXPECT_EQ(ParseTrailer(window).SessionName.size(), 63u);

  std::uint8_t block[kHeaderSize];
  FormatHeader(FileRecordHeader{}, block);
  block[4] = 255;
  EXPECT_EQ(ParseHeader(block).FileName.size(), 255u);
}

}  // namespace
}  // namespace vnx

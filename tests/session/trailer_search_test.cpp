#include "session/trailer_search.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/session_fixture.h"

namespace vnx {
namespace {

using test::MemorySource;

// The search as the reader describes it: one 220-byte window per position,
// stepping back one byte while the window's end lies beyond 2048.
std::optional<std::int64_t> ByteByByte(const std::string& file, std::int64_t end, bool search) {
  auto valid = [&](std::int64_t windowEnd) {
    return windowEnd >= 220 && IsValidTrailer(reinterpret_cast<const std::uint8_t*>(file.data() + windowEnd - 220));
  };
  if (end < 220) return std::nullopt;
  std::int64_t position = end;
  while (search && position > kSearchFloor && !valid(position)) --position;
  if (!valid(position)) return std::nullopt;
  return position - 220;
}

std::string TrailerBytes(const std::string& name, std::int32_t offset = 0) {
  SessionTrailer trailer;
  trailer.SessionName = name;
  trailer.SessionOffset = offset;
  std::string bytes(kTrailerSize, '\0');
  FormatTrailer(trailer, reinterpret_cast<std::uint8_t*>(bytes.data()));
  return bytes;
}

std::string Filler(std::size_t size, char value = 'x') { return std::string(size, value); }

struct Layout {
  const char* name;
  std::string file;
  bool search;
  std::optional<std::int64_t> expectedStart;
};

TEST(TrailerSearch, FindsWhatTheByteByByteSearchFinds) {
  const std::string t = TrailerBytes("S");
  std::string badChecksum = t;
  badChecksum[100] ^= 1;
  const Layout layouts[] = {
      {"trailer at the end", Filler(5000) + t, true, 5000},
      {"trailer at the end, no search", Filler(5000) + t, false, 5000},
      {"trailing bytes", Filler(5000) + t + Filler(1), true, 5000},
      {"trailing bytes, no search", Filler(5000) + t + Filler(1), false, std::nullopt},
      {"4 MiB trailing", Filler(5000) + t + Filler(4 << 20, '\x8C'), true, 5000},
      {"ends exactly at 2048", Filler(2048 - 220) + t + Filler(999), true, 2048 - 220},
      {"ends at 2047", Filler(2047 - 220) + t + Filler(999), true, std::nullopt},
      {"small file, trailer at the end", Filler(10) + t, true, 10},
      {"small file, trailing bytes", Filler(10) + t + Filler(5), true, std::nullopt},
      {"exactly one window", t, true, 0},
      {"shorter than a window", t.substr(1), true, std::nullopt},
      {"empty", "", true, std::nullopt},
      {"last of two trailers wins", Filler(3000) + t + Filler(10) + TrailerBytes("T") + Filler(7), true,
       3000 + 220 + 10},
      {"damaged trailer is passed over", Filler(3000) + t + Filler(10) + badChecksum + Filler(7), true, 3000},
      {"overlapping start marker bytes", Filler(3000) + t + t.substr(0, 219), true, 3000},
      // The search reads blocks of 4096, 8192, … window ends from the end
      // backwards: trailers at the edges of the first two blocks.
      {"last end of the first block", Filler(3000) + t + Filler(4095), true, 3000},
      {"first end of the second block", Filler(3000) + t + Filler(4096), true, 3000},
      {"last end of the second block", Filler(3000) + t + Filler(4096 + 8191), true, 3000},
      {"first end of the third block", Filler(3000) + t + Filler(4096 + 8192), true, 3000},
  };
  for (const Layout& layout : layouts) {
    const auto reference = ByteByByte(layout.file, static_cast<std::int64_t>(layout.file.size()), layout.search);
    ASSERT_EQ(reference, layout.expectedStart) << layout.name;
    MemorySource source(layout.file);
    const auto found = FindTrailer(source, source.Size(), layout.search);
    EXPECT_EQ(found ? std::optional(found->Start) : std::nullopt, reference) << layout.name;
  }
}

TEST(TrailerSearch, AgreesWithTheByteByByteSearchOnRandomLayouts) {
  std::mt19937 random(20240501);
  const std::string t = TrailerBytes("R");
  for (int round = 0; round < 240; ++round) {
    // Mostly small files; every tenth spans several read blocks.
    const std::size_t largest = round % 10 == 0 ? (3 << 20) : (64 << 10);
    std::string file(std::uniform_int_distribution<std::size_t>(0, largest)(random), '\0');
    for (char& c : file) c = static_cast<char>(random() % 4 == 0 ? 0x8C : random());
    const int planted = static_cast<int>(random() % 3);
    for (int i = 0; i < planted && file.size() >= kTrailerSize; ++i) {
      const std::size_t at = random() % (file.size() - kTrailerSize + 1);
      file.replace(at, kTrailerSize, t);
    }
    const std::int64_t end = file.empty() ? 0 : static_cast<std::int64_t>(random() % (file.size() + 1));
    const bool search = random() % 4 != 0;
    MemorySource source(file);
    const auto found = FindTrailer(source, end, search);
    EXPECT_EQ(found ? std::optional(found->Start) : std::nullopt, ByteByByte(file, end, search))
        << "round " << round << " size " << file.size() << " end " << end;
  }
}

TEST(TrailerSearch, ReadsGrowingBlocksNotOneWindowPerByte) {
  MemorySource far(Filler(5000) + TrailerBytes("S") + Filler(4 << 20));
  ASSERT_TRUE(FindTrailer(far, far.Size(), true));
  EXPECT_LE(far.Reads, 16);
  // A trailer at the end costs one small read, not a large block.
  MemorySource near(Filler(5 << 20) + TrailerBytes("S"));
  ASSERT_TRUE(FindTrailer(near, near.Size(), true));
  EXPECT_EQ(near.Reads, 1);
}

TEST(TrailerSearch, SessionOffsetMustLieInFrontOfTheTrailer) {
  auto located = [](std::int32_t offset) { return LocatedTrailer{5000, SessionTrailer{offset, 0, 0, 0, "", ""}}; };
  EXPECT_TRUE(HasPlausibleSessionOffset(located(0)));
  EXPECT_TRUE(HasPlausibleSessionOffset(located(4000)));
  EXPECT_TRUE(HasPlausibleSessionOffset(located(5000)));  // a session without records
  EXPECT_FALSE(HasPlausibleSessionOffset(located(5001)));
  EXPECT_FALSE(HasPlausibleSessionOffset(located(-1)));
}

}  // namespace
}  // namespace vnx

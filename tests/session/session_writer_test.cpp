#include "session/session_writer.h"

#include <gtest/gtest.h>

#include "session/session_format.h"
#include "tests/support/session_fixture.h"

namespace vnx {
namespace {

using test::Compressible;
using test::MemoryFile;
using test::Packed;
using test::Session;

const std::uint8_t* At(const std::string& bytes, std::size_t offset) {
  return reinterpret_cast<const std::uint8_t*>(bytes.data() + offset);
}

TEST(SessionWriter, RecordsThenTrailerBehindTheStub) {
  const std::string stub(1000, 'S');
  const std::string file =
      Packed(stub, {Session({MemoryFile("raw.txt", Compressible(108), "sub\\dir"),
                             MemoryFile("packed.bin", Compressible(109)), MemoryFile("empty.dat", "")},
                            "Show")});
  ASSERT_EQ(file.substr(0, 1000), stub);

  const std::uint8_t* first = At(file, 1000);
  ASSERT_TRUE(IsValidHeader(first));
  const FileRecordHeader raw = ParseHeader(first);
  EXPECT_EQ(raw.FileName, "raw.txt");
  EXPECT_EQ(raw.SourceDir, "C:\\authoring\\");
  EXPECT_EQ(raw.Placement, "sub\\dir");
  EXPECT_EQ(raw.FileSize, 108);
  EXPECT_EQ(raw.StoredSize, 108);  // under 109 bytes: raw
  EXPECT_EQ(raw.LastWriteTime, test::kSomeFileTime);
  EXPECT_EQ(file.substr(1000 + kHeaderSize, 108), Compressible(108));

  const std::size_t second = 1000 + kHeaderSize + 108;
  ASSERT_TRUE(IsValidHeader(At(file, second)));
  const FileRecordHeader packed = ParseHeader(At(file, second));
  EXPECT_EQ(packed.FileSize, 109);
  EXPECT_LT(packed.StoredSize, 109);
  EXPECT_EQ(static_cast<unsigned char>(file[second + kHeaderSize]), 0x78);  // best-compression zlib header
  EXPECT_EQ(static_cast<unsigned char>(file[second + kHeaderSize + 1]), 0xDA);

  const std::size_t third = second + kHeaderSize + static_cast<std::size_t>(packed.StoredSize);
  const FileRecordHeader empty = ParseHeader(At(file, third));
  EXPECT_EQ(empty.FileSize, 0);
  EXPECT_EQ(empty.StoredSize, 0);

  const std::size_t trailerAt = third + kHeaderSize;
  ASSERT_EQ(file.size(), trailerAt + kTrailerSize);
  ASSERT_TRUE(IsValidTrailer(At(file, trailerAt)));
  const SessionTrailer trailer = ParseTrailer(At(file, trailerAt));
  EXPECT_EQ(trailer.SessionOffset, 1000);
  EXPECT_EQ(trailer.RecordsLength, static_cast<std::int32_t>(trailerAt - 1000));
  EXPECT_EQ(trailer.RecordCount, 3);
  EXPECT_EQ(trailer.TotalSize, 217);
  EXPECT_EQ(trailer.SessionName, "Show");
  EXPECT_EQ(trailer.VersionText, kPackVersionText);
}

TEST(SessionWriter, AppendedSessionStartsWhereThePreviousTrailerEnds) {
  const std::string one = Packed("stub", {Session({MemoryFile("a", "1")}, "One")});
  const std::string both =
      Packed("stub", {Session({MemoryFile("a", "1")}, "One"), Session({MemoryFile("b", "2")}, "Two")});
  ASSERT_EQ(both.substr(0, one.size()), one);
  const SessionTrailer last = ParseTrailer(At(both, both.size() - kTrailerSize));
  EXPECT_EQ(last.SessionOffset, static_cast<std::int32_t>(one.size()));
  EXPECT_EQ(last.SessionName, "Two");
}

TEST(SessionWriter, LimitsAreRefusedBeforeAnythingIsWritten) {
  PackedFile huge = MemoryFile("huge", "");
  huge.Size = 0x80000000LL;
  PackedFile half = MemoryFile("half", "");
  half.Size = 0x40000000LL;
  PackedFile changed = MemoryFile("changed", "only this");
  changed.Size = 200;

  struct Case {
    const char* name;
    PackedSession packed;
    std::int64_t offset;
    std::string message;
  } const cases[] = {
      {"name of 64 characters", Session({}, std::string(64, 'n')), 0,
       "session name \"" + std::string(64, 'n') + "\" has 64 characters or more"},
      {"version over 63",
       [] {
         PackedSession packed;
         packed.VersionText = std::string(64, 'v');
         return packed;
       }(),
       0, "version text is longer than 63 characters"},
      {"file name over 255", Session({MemoryFile(std::string(256, 'f'), "")}), 0,
       "\"" + std::string(256, 'f') + "\" of " + std::string(256, 'f') + " is longer than 255 characters"},
      {"placement over 255", Session({MemoryFile("p", "", std::string(256, 'd'))}), 0,
       "\"" + std::string(256, 'd') + "\" of p is longer than 255 characters"},
      {"file over 2 GiB", Session({huge}), 0, "huge is larger than 2 GiB"},
      {"files together over 2 GiB", Session({half, half, half, half}), 0, "the files together are larger than 2 GiB"},
      {"output beyond 2 GiB", Session({half}), 0x50000000LL, "the output could grow beyond 2 GiB"},
  };
  for (const Case& c : cases) {
    try {
      CheckPackedSession(c.packed, c.offset);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const EPackError& error) {
      EXPECT_EQ(error.what(), c.message) << c.name;
    }
  }
  // The writer checks first: a refused session leaves the output untouched.
  std::stringstream refused;
  refused << "stub";
  EXPECT_THROW(WriteSession(refused, cases[4].packed), EPackError);
  EXPECT_EQ(refused.str(), "stub");
  // 63 characters is the longest name; a file that changes while packed is noticed.
  EXPECT_NO_THROW(CheckPackedSession(Session({}, std::string(63, 'n')), 0));
  std::stringstream out;
  EXPECT_THROW(WriteSession(out, Session({changed})), EPackError);
}

}  // namespace
}  // namespace vnx

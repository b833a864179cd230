#include "session/stored_data.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "tests/support/session_fixture.h"

namespace vnx {
namespace {

using test::MemorySource;

std::string ZlibStream(const std::string& content) {
  uLongf size = compressBound(static_cast<uLong>(content.size()));
  std::string stream(size, '\0');
  compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(content.data()),
            static_cast<uLong>(content.size()), 9);
  stream.resize(size);
  return stream;
}

// Reads the whole file the way the reader does: in pieces, then Finish.
std::string ReadAll(const std::string& source, std::int64_t position, std::int32_t fileSize, std::int32_t stored) {
  MemorySource memory(source);
  StoredData data(memory, position, fileSize, stored);
  std::string result(static_cast<std::size_t>(fileSize), '\0');
  std::size_t done = 0;
  while (done < result.size()) {
    const std::size_t wanted = std::min<std::size_t>(result.size() - done, 65536);
    const std::size_t got = data.Read(reinterpret_cast<std::uint8_t*>(result.data() + done), wanted);
    if (got < wanted) throw std::runtime_error("short piece");
    done += got;
  }
  data.Finish();
  return result;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

TEST(StoredData, RawAndCompressedDataFromTheirPosition) {
  const std::string raw = test::Compressible(108);
  EXPECT_EQ(ReadAll("junk" + raw + "more", 4, 108, 108), raw);

  const std::string content = test::Compressible(300000);
  const std::string stream = ZlibStream(content);
  const auto stored = static_cast<std::int32_t>(stream.size());
  EXPECT_EQ(ReadAll("junk" + stream + "next record", 4, 300000, stored), content);
  // Stored bytes behind the stream's end are passed over by the reader.
  EXPECT_EQ(ReadAll("junk" + stream + "next record", 4, 300000, stored + 5), content);
}

TEST(StoredData, DamageGivesTheReadersMessages) {
  const std::string content = test::Compressible(200000);
  const std::string stream = ZlibStream(content);
  const auto stored = static_cast<std::int32_t>(stream.size());
  std::string badBlockType = stream;
  badBlockType[2] = static_cast<char>(0xFF);  // first block: reserved type 3
  std::string badCheck = stream;
  badCheck[badCheck.size() - 1] ^= 0x01;  // Adler-32
  std::string badHeader = stream;
  badHeader[1] ^= 0x01;

  struct Case {
    const char* name;
    std::function<void()> action;
    std::string message;
  } const cases[] = {
      {"corrupt block", [&] { ReadAll(badBlockType, 0, 200000, stored); }, "error"},
      {"corrupt zlib header", [&] { ReadAll(badHeader, 0, 200000, stored); }, "error"},
      {"check value differs", [&] { ReadAll(badCheck, 0, 200000, stored); }, "error"},
      {"stream ends before the file size", [&] { ReadAll(stream, 0, 200001, stored); }, "Stream read error"},
      {"more data than the file size", [&] { ReadAll(stream, 0, 199999, stored); }, "error"},
      {"stored size cuts the stream", [&] { ReadAll(stream, 0, 200000, stored / 2); }, "short piece"},
      {"source ends inside compressed data", [&] { ReadAll(stream.substr(0, stream.size() / 2), 0, 200000, stored); },
       "Stream read error"},
      {"source ends inside raw data", [&] { ReadAll("abc", 0, 50, 50); }, "Stream read error"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.action), c.message) << c.name;
}

TEST(StoredData, InputIsFedInBlocksOf65536Bytes) {
  std::string random(400000, '\0');
  std::uint32_t seed = 1;
  for (char& c : random) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  const std::string stream = ZlibStream(random);  // incompressible: stored a little larger
  MemorySource memory(stream);
  StoredData data(memory, 0, 400000, static_cast<std::int32_t>(stream.size()));
  std::string out(400000, '\0');
  for (std::size_t done = 0; done < out.size();)
    done +=
        data.Read(reinterpret_cast<std::uint8_t*>(out.data() + done), std::min<std::size_t>(65536, out.size() - done));
  data.Finish();
  EXPECT_EQ(out, random);
  EXPECT_EQ(memory.Reads, static_cast<int>((stream.size() + 65535) / 65536));
  EXPECT_EQ(data.UnusedStoredBytes(), 0);
}

}  // namespace
}  // namespace vnx

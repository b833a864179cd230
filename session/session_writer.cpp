#include "session/session_writer.h"

#include <zlib.h>

#include <limits>

#include "session/session_format.h"

namespace vnx {
namespace {

constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

void Put(std::ostream& out, const void* data, std::size_t size) {
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw EPackError("cannot write the output");
}

// Copies exactly `size` bytes of the input through `consume`.
template <class Consume>
void ReadAll(const PackedFile& file, Consume&& consume) {
  const auto in = file.Open();
  if (!in || !*in) throw EPackError("cannot read " + file.Name);
  std::vector<char> buffer(1 << 16);
  std::int64_t done = 0;
  while (true) {
    in->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in->gcount());
    if (got == 0) break;
    done += static_cast<std::int64_t>(got);
    if (done > file.Size) break;
    consume(buffer.data(), got, false);
  }
  if (in->bad() || done != file.Size) throw EPackError(file.Name + " changed while it was packed");
  consume(nullptr, 0, true);
}

// Deflates the file into the output; returns the stored size.
std::int64_t WriteCompressed(std::ostream& out, const PackedFile& file) {
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK) throw EPackError("cannot start compression");
  struct End {
    z_stream& s;
    ~End() { deflateEnd(&s); }
  } end{stream};
  std::vector<unsigned char> output(1 << 16);
  std::int64_t stored = 0;
  ReadAll(file, [&](const char* data, std::size_t size, bool last) {
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = static_cast<uInt>(size);
    int result = Z_OK;
    do {
      stream.next_out = output.data();
      stream.avail_out = static_cast<uInt>(output.size());
      result = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      if (result == Z_STREAM_ERROR) throw EPackError("compression failed for " + file.Name);
      const std::size_t produced = output.size() - stream.avail_out;
      Put(out, output.data(), produced);
      stored += static_cast<std::int64_t>(produced);
    } while (stream.avail_out == 0 || (last && result != Z_STREAM_END));
  });
  return stored;
}

std::int64_t WriteRaw(std::ostream& out, const PackedFile& file) {
  ReadAll(file, [&](const char* data, std::size_t size, bool) { Put(out, data, size); });
  return file.Size;
}

void WriteRecord(std::ostream& out, const PackedFile& file) {
  FileRecordHeader header{file.Name, file.SourceDir,    file.Placement, static_cast<std::int32_t>(file.Size),
                          0,         file.LastWriteTime};
  std::uint8_t block[kHeaderSize] = {};
  const std::streampos headerAt = out.tellp();
  Put(out, block, kHeaderSize);
  const std::int64_t stored = file.Size >= kCompressedFrom ? WriteCompressed(out, file) : WriteRaw(out, file);
  header.StoredSize = static_cast<std::int32_t>(stored);
  FormatHeader(header, block);
  const std::streampos endAt = out.tellp();
  out.seekp(headerAt);
  Put(out, block, kHeaderSize);
  out.seekp(endAt);
}

}  // namespace

void CheckPackedSession(const PackedSession& packed, std::int64_t sessionOffset) {
  if (packed.Name.size() > kTrailerTextMax)
    throw EPackError("session name \"" + packed.Name + "\" has 64 characters or more");
  if (packed.VersionText.size() > kTrailerTextMax) throw EPackError("version text is longer than 63 characters");
  std::int64_t total = 0;
  std::int64_t end = sessionOffset;
  for (const PackedFile& file : packed.Files) {
    for (const std::string* field : {&file.Name, &file.SourceDir, &file.Placement})
      if (field->size() > kHeaderTextMax)
        throw EPackError("\"" + *field + "\" of " + file.Name + " is longer than 255 characters");
    if (file.Size < 0 || file.Size > kMaxInt32) throw EPackError(file.Name + " is larger than 2 GiB");
    total += file.Size;
    // deflateBound is the most a stream of that size can take.
    end +=
        static_cast<std::int64_t>(kHeaderSize) +
        (file.Size >= kCompressedFrom ? static_cast<std::int64_t>(deflateBound(nullptr, static_cast<uLong>(file.Size)))
                                      : file.Size);
  }
  if (total > kMaxInt32) throw EPackError("the files together are larger than 2 GiB");
  if (end + static_cast<std::int64_t>(kTrailerSize) > kMaxInt32) throw EPackError("the output could grow beyond 2 GiB");
}

void WriteSession(std::ostream& out, const PackedSession& packed) {
  const std::int64_t start = out.tellp();
  if (start < 0) throw EPackError("cannot write the output");
  CheckPackedSession(packed, start);
  std::int64_t total = 0;
  for (const PackedFile& file : packed.Files) {
    WriteRecord(out, file);
    total += file.Size;
  }
  SessionTrailer trailer;
  trailer.SessionOffset = static_cast<std::int32_t>(start);
  trailer.RecordsLength = static_cast<std::int32_t>(static_cast<std::int64_t>(out.tellp()) - start);
  trailer.RecordCount = static_cast<std::int32_t>(packed.Files.size());
  trailer.TotalSize = static_cast<std::int32_t>(total);
  trailer.VersionText = packed.VersionText;
  trailer.SessionName = packed.Name;
  std::uint8_t window[kTrailerSize];
  FormatTrailer(trailer, window);
  Put(out, window, kTrailerSize);
  out.flush();
  if (!out) throw EPackError("cannot write the output");
}

}  // namespace vnx

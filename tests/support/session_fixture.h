#pragma once
// Sessions for tests, made by the authoring tool's writer from files held in
// memory, and the small tools to damage them by hand: patch a header or a
// trailer and seal it again with a correct checksum, so that only the field
// under test is wrong.

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "session/file_seam.h"
#include "session/session_format.h"
#include "session/session_writer.h"

namespace vnx::test {

// 2001-02-03 04:05:06.7 UTC.
inline constexpr std::uint64_t kSomeFileTime = 126'256'467'067'000'000;

inline PackedFile MemoryFile(std::string name, std::string content, std::string placement = {},
                             std::uint64_t time = kSomeFileTime) {
  PackedFile file;
  file.Name = std::move(name);
  file.SourceDir = "C:\\authoring\\";
  file.Placement = std::move(placement);
  file.LastWriteTime = time;
  file.Size = static_cast<std::int64_t>(content.size());
  file.Open = [content] { return std::make_unique<std::istringstream>(content); };
  return file;
}

inline PackedSession Session(std::vector<PackedFile> files, std::string name = kDefaultSessionName) {
  PackedSession packed;
  packed.Name = std::move(name);
  packed.Files = std::move(files);
  return packed;
}

// The stub followed by the sessions, in order.
inline std::string Packed(const std::string& stub, const std::vector<PackedSession>& sessions) {
  std::stringstream out;
  out << stub;
  for (const PackedSession& packed : sessions) WriteSession(out, packed);
  return out.str();
}

// Text that compresses, of any length.
inline std::string Compressible(std::size_t size, char seed = 'a') {
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; text.size() < size; ++i) text += static_cast<char>(seed + static_cast<char>(i * 7 % 23));
  return text;
}

inline std::uint8_t* BytesAt(std::string& file, std::size_t offset) {
  return reinterpret_cast<std::uint8_t*>(file.data() + offset);
}

// Offset of the header of the file record `index` of the session whose
// records start at `sessionOffset`.
inline std::size_t HeaderOffset(const std::string& file, std::size_t sessionOffset, int index) {
  std::size_t at = sessionOffset;
  for (int i = 0; i < index; ++i)
    at += kHeaderSize +
          static_cast<std::size_t>(ParseHeader(reinterpret_cast<const std::uint8_t*>(file.data() + at)).StoredSize);
  return at;
}

template <class Change>
void PatchHeader(std::string& file, std::size_t headerOffset, Change&& change) {
  FileRecordHeader header = ParseHeader(BytesAt(file, headerOffset));
  change(header);
  FormatHeader(header, BytesAt(file, headerOffset));
}

template <class Change>
void PatchTrailer(std::string& file, std::size_t trailerOffset, Change&& change) {
  SessionTrailer trailer = ParseTrailer(BytesAt(file, trailerOffset));
  change(trailer);
  FormatTrailer(trailer, BytesAt(file, trailerOffset));
}

// A source in memory that counts its reads.
class MemorySource : public SourceStream {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  void Seek(std::int64_t position) override { position_ = static_cast<std::size_t>(position); }
  std::size_t Read(void* buffer, std::size_t count) override {
    ++Reads;
    const std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t got = std::min(count, available);
    if (got > 0) std::memcpy(buffer, bytes_.data() + position_, got);
    position_ += got;
    return got;
  }
  int Reads = 0;

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

}  // namespace vnx::test

#pragma once
// The stored data of one file record, delivered as the file's bytes: raw for
// files under 109 bytes, inflated from one zlib stream otherwise. The zlib
// input is fed from the source in blocks of 65536 bytes and never beyond the
// record's stored size.

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "session/file_seam.h"

namespace vnx {

// Corrupt compressed data: the message is "error".
class EDecompressionError : public ERunnerError {
 public:
  EDecompressionError() : ERunnerError("error") {}
};

class StoredData {
 public:
  // The source stands anywhere; the data starts at `position`.
  StoredData(SourceStream& source, std::int64_t position, std::int32_t fileSize, std::int32_t storedSize);
  ~StoredData();
  StoredData(const StoredData&) = delete;
  StoredData& operator=(const StoredData&) = delete;

  // Fills up to count bytes of the file and returns how many it delivered;
  // fewer than asked only when the record's stored bytes are used up.
  // Raises EReadError when the source or the compressed stream ends early,
  // EDecompressionError on corrupt data.
  std::size_t Read(std::uint8_t* buffer, std::size_t count);

  // After the file's last byte: a compressed stream must end there, within
  // its stored bytes and with a matching Adler-32, or it is corrupt
  // (EDecompressionError). Nothing to check for raw data.
  void Finish();

  // Stored bytes not consumed by the stream (after Finish): the authoring
  // tool leaves none.
  std::int64_t UnusedStoredBytes() const { return storedLeft_ + stream_.avail_in; }

 private:
  std::size_t ReadRaw(std::uint8_t* buffer, std::size_t count);
  std::size_t Inflate(std::uint8_t* buffer, std::size_t count);
  bool FeedInput();
  // One inflate call: notes the stream's end, raises on corrupt data.
  void Step();

  SourceStream& source_;
  bool compressed_;
  std::int64_t storedLeft_;
  bool streamEnded_ = false;
  z_stream stream_{};
  std::vector<std::uint8_t> input_;
};

}  // namespace vnx

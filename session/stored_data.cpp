#include "session/stored_data.h"

#include <algorithm>

#include "session/session_format.h"

namespace vnx {

StoredData::StoredData(SourceStream& source, std::int64_t position, std::int32_t fileSize, std::int32_t storedSize)
    : source_(source), compressed_(fileSize >= kCompressedFrom), storedLeft_(storedSize) {
  source_.Seek(position);
  if (!compressed_) return;
  input_.resize(static_cast<std::size_t>(kPieceSize));
  if (inflateInit(&stream_) != Z_OK) throw EDecompressionError();
}

StoredData::~StoredData() {
  if (compressed_) inflateEnd(&stream_);
}

std::size_t StoredData::Read(std::uint8_t* buffer, std::size_t count) {
  return compressed_ ? Inflate(buffer, count) : ReadRaw(buffer, count);
}

std::size_t StoredData::ReadRaw(std::uint8_t* buffer, std::size_t count) {
  const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), storedLeft_));
  if (source_.Read(buffer, wanted) != wanted) throw EReadError();
  storedLeft_ -= static_cast<std::int64_t>(wanted);
  return wanted;
}

bool StoredData::FeedInput() {
  if (storedLeft_ == 0) return false;
  const auto block = static_cast<std::size_t>(std::min<std::int64_t>(kPieceSize, storedLeft_));
  if (source_.Read(input_.data(), block) != block) throw EReadError();
  storedLeft_ -= static_cast<std::int64_t>(block);
  stream_.next_in = input_.data();
  stream_.avail_in = static_cast<uInt>(block);
  return true;
}

std::size_t StoredData::Inflate(std::uint8_t* buffer, std::size_t count) {
  stream_.next_out = buffer;
  stream_.avail_out = static_cast<uInt>(count);
  while (stream_.avail_out > 0) {
    if (streamEnded_) throw EReadError();  // the stream ends before the file does
    if (stream_.avail_in == 0 && !FeedInput()) break;
    Step();
  }
  return count - stream_.avail_out;
}

void StoredData::Step() {
  const int result = inflate(&stream_, Z_NO_FLUSH);
  if (result == Z_STREAM_END) {
    streamEnded_ = true;
  } else if (result != Z_OK && !(result == Z_BUF_ERROR && stream_.avail_in == 0)) {
    // Z_BUF_ERROR with input left would mean no progress at all: never loop on it.
    throw EDecompressionError();
  }
}

void StoredData::Finish() {
  if (!compressed_) return;
  // The stream's end (and its check value) may still be ahead in the input.
  std::uint8_t overflow = 0;
  while (!streamEnded_) {
    if (stream_.avail_in == 0 && !FeedInput()) throw EDecompressionError();
    stream_.next_out = &overflow;
    stream_.avail_out = 1;
    Step();
    if (stream_.avail_out == 0) throw EDecompressionError();  // more data than the file size says
  }
}

}  // namespace vnx

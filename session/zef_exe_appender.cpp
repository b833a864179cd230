#include "session/zef_exe_appender.h"

#include <algorithm>
#include <vector>

#include "session/destination_check.h"
#include "session/progress_percent.h"
#include "session/session_format.h"
#include "session/stored_data.h"
#include "session/trailer_search.h"

namespace vnx {
namespace {

ERunnerError SessionNotFound(const std::string& sourcePath) {
  return ERunnerError("Session not found on extract from " + sourcePath);
}

ERunnerError FilePrefixError(const std::string& sourcePath) {
  return ERunnerError("File prefix format error on extract from " + sourcePath);
}

ERunnerError InvalidFileName(const std::string& name, const std::string& sourcePath) {
  return ERunnerError("Invalid file name \"" + name + "\" on extract from " + sourcePath);
}

// A destination file until it is complete: whatever ends the write early
// (an exception, an abort) closes and deletes it.
class PartialFile {
 public:
  PartialFile(const FileSeam& files, std::string path)
      : files_(files), path_(std::move(path)), target_(files_.Create(path_)) {}
  ~PartialFile() {
    if (!target_) return;
    target_.reset();
    files_.Delete(path_);
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  TargetStream& Stream() { return *target_; }
  void Complete(std::uint64_t lastWriteTime) {
    target_->SetLastWriteTime(lastWriteTime);
    target_.reset();
  }

 private:
  const FileSeam& files_;
  std::string path_;
  std::unique_ptr<TargetStream> target_;
};

// Walks the chain of trailers from `end`: the last session first, then the
// one whose trailer ends where the passed-over session starts.
LocatedTrailer LocateSession(SourceStream& source, std::int64_t end, const std::string& name, bool searchBackward,
                             const std::string& sourcePath) {
  while (true) {
    const auto found = FindTrailer(source, end, searchBackward);
    if (!found || !HasPlausibleSessionOffset(*found)) throw SessionNotFound(sourcePath);
    if (found->Trailer.SessionName == name) return *found;
    end = found->Trailer.SessionOffset;
  }
}

FileRecordHeader ReadHeader(SourceStream& source, std::int64_t position, const std::string& sourcePath) {
  std::uint8_t block[kHeaderSize];
  source.Seek(position);
  if (source.Read(block, kHeaderSize) != kHeaderSize || !IsValidHeader(block)) throw FilePrefixError(sourcePath);
  return ParseHeader(block);
}

// A header can be intact and still describe impossible data.
void CheckRecord(const FileRecordHeader& header, std::int64_t dataPosition, std::int64_t sourceSize,
                 const std::string& sourcePath) {
  if (header.FileSize < 0 || header.StoredSize < 0) throw FilePrefixError(sourcePath);
  if (header.FileSize < kCompressedFrom && header.StoredSize != header.FileSize) throw FilePrefixError(sourcePath);
  if (!IsSafeFileName(header.FileName)) throw InvalidFileName(header.FileName, sourcePath);
  if (dataPosition + header.StoredSize > sourceSize) throw EReadError();
}

std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

OwnExecutable ExecutableAt(const FileSeam& files, const std::function<std::string()>& path) {
  return {path, [&files, path] { return files.OpenRead(path()); }};
}

TZefExeAppender::TZefExeAppender(const FileSeam& files, OwnExecutable ownExe)
    : files_(files), ownExe_(std::move(ownExe)) {}

bool TZefExeAppender::DoProgress() {
  bool abort = false;
  if (OnProgress) OnProgress(*this, FileName, MulDiv(100, TotalDone, TotalSize), abort);
  return abort;
}

bool TZefExeAppender::DoFileProgress() {
  bool abort = false;
  if (OnFileProgress) OnFileProgress(*this, FileName, MulDiv(100, FileDone, FileSize), abort);
  return abort;
}

void TZefExeAppender::Extract(const std::string& sessionName) {
  if (sessionName.size() > kTrailerTextMax) throw ERunnerError("Session name too long");
  const std::string sourcePath = UseOwnExe ? ownExe_.Path() : SourceFile;
  const auto source = UseOwnExe ? ownExe_.Open() : files_.OpenRead(sourcePath);
  const std::int64_t sourceSize = source->Size();
  const LocatedTrailer session = LocateSession(*source, sourceSize, sessionName, SearchBackward, sourcePath);

  TotalSize = session.Trailer.TotalSize;
  if (TotalSize == 0) return;
  TotalDone = 0;
  std::int64_t position = session.Trailer.SessionOffset;
  const std::int32_t count = session.Trailer.RecordCount;
  // Every record needs its header between the session's start and its trailer.
  if (count > 0 && count > (session.Start - position) / static_cast<std::int64_t>(kHeaderSize))
    throw FilePrefixError(sourcePath);

  std::vector<std::uint8_t> piece(static_cast<std::size_t>(kPieceSize));
  for (std::int32_t index = 0; index < count; ++index) {
    const FileRecordHeader header = ReadHeader(*source, position, sourcePath);
    position += static_cast<std::int64_t>(kHeaderSize);
    FileName = header.FileName;
    FileSize = header.FileSize;
    Placement = header.Placement;
    CheckRecord(header, position, sourceSize, sourcePath);
    if (DoProgress()) return;

    bool skip = false;
    std::string destinationDir = TargetDir.empty() ? header.SourceDir : TargetDir;
    if (OnFile) OnFile(*this, FileName, destinationDir, skip);
    if (!destinationDir.empty() && destinationDir.back() != ':' && destinationDir.back() != '\\')
      destinationDir += '\\';
    if (!skip) {
      if (!IsSafeFileName(FileName)) throw InvalidFileName(FileName, sourcePath);
      if (!WriteOneFile(*source, position, header, destinationDir, piece)) return;
    }
    // The inflate stream reads ahead of its data, so the next record's
    // position comes from the stored size, never from the stream.
    position += header.StoredSize;
    TotalDone = WrappingAdd(TotalDone, FileSize);
    if (DoProgress()) return;
  }
}

bool TZefExeAppender::WriteOneFile(SourceStream& source, std::int64_t dataPosition, const FileRecordHeader& header,
                                   const std::string& destinationDir, std::vector<std::uint8_t>& piece) {
  PartialFile file(files_, destinationDir + FileName);
  FileDone = 0;
  if (DoFileProgress()) return false;

  StoredData data(source, dataPosition, header.FileSize, header.StoredSize);
  for (std::int32_t left = header.FileSize; left > 0;) {
    const std::size_t wanted = static_cast<std::size_t>(std::min(left, kPieceSize));
    const std::size_t got = data.Read(piece.data(), wanted);
    if (got < wanted) throw ERunnerError("Extract error on " + destinationDir + FileName);
    file.Stream().Write(piece.data(), got);
    FileDone += static_cast<std::int32_t>(got);
    left -= static_cast<std::int32_t>(got);
    if (DoFileProgress()) return false;
  }
  data.Finish();
  file.Complete(header.LastWriteTime);
  return true;
}

}  // namespace vnx

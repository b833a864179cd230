// vnxpack verify: every trailer, header and stream of every session checked
// completely, nothing written.

#include <algorithm>
#include <vector>

#include "session/destination_check.h"
#include "session/session_format.h"
#include "session/session_writer.h"
#include "session/stored_data.h"
#include "tools/vnxpack/command_runner.h"
#include "tools/vnxpack/session_chain.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack verify FILE\n"
    "\n"
    "Checks every session of FILE: each trailer and the chain between them, each\n"
    "file header (markers, checksum, sizes, names the runner accepts, placements\n"
    "that stay inside the target directory), and inflates every compressed\n"
    "stream to its end, which checks its Adler-32. Writes nothing. Exits with 0,\n"
    "or with 1 and the first fault.\n";

struct Fault : EPackError {
  Fault(const LocatedTrailer& session, const std::string& what)
      : EPackError("session \"" + session.Trailer.SessionName + "\": " + what) {}
};

std::string At(std::int64_t offset) { return " at offset " + std::to_string(offset); }

// Inflates or reads the whole data of one file, as the reader would, and
// demands that the stream fill its stored size exactly.
void CheckData(SourceStream& source, const LocatedTrailer& session, const FileRecordHeader& header,
               std::int64_t dataPosition, std::vector<std::uint8_t>& piece) {
  try {
    StoredData data(source, dataPosition, header.FileSize, header.StoredSize);
    for (std::int32_t left = header.FileSize; left > 0;) {
      const auto wanted = static_cast<std::size_t>(std::min(left, kPieceSize));
      if (data.Read(piece.data(), wanted) != wanted) throw EReadError();
      left -= static_cast<std::int32_t>(wanted);
    }
    data.Finish();
    if (data.UnusedStoredBytes() != 0) throw Fault(session, header.FileName + ": stored bytes behind its stream");
  } catch (const ERunnerError& error) {
    throw Fault(session, header.FileName + ": data" + At(dataPosition) + " is damaged (" + error.what() + ")");
  }
}

std::int32_t CheckFiles(SourceStream& source, const LocatedTrailer& session, std::int64_t sourceSize) {
  const SessionTrailer& trailer = session.Trailer;
  std::vector<std::uint8_t> piece(static_cast<std::size_t>(kPieceSize));
  std::int64_t position = trailer.SessionOffset;
  std::int64_t total = 0;
  for (std::int32_t index = 0; index < trailer.RecordCount; ++index) {
    std::uint8_t block[kHeaderSize];
    source.Seek(position);
    if (position + static_cast<std::int64_t>(kHeaderSize) > session.Start ||
        source.Read(block, kHeaderSize) != kHeaderSize || !IsValidHeader(block))
      throw Fault(session, "damaged file header" + At(position));
    const FileRecordHeader header = ParseHeader(block);
    const std::int64_t data = position + static_cast<std::int64_t>(kHeaderSize);
    if (header.FileSize < 0 || header.StoredSize < 0) throw Fault(session, "negative size" + At(position));
    if (header.FileSize < kCompressedFrom && header.StoredSize != header.FileSize)
      throw Fault(session, header.FileName + ": a raw file's stored size differs from its size");
    if (data + header.StoredSize > std::min(session.Start, sourceSize))
      throw Fault(session, header.FileName + ": data runs into the trailer" + At(position));
    if (!IsSafeFileName(header.FileName)) throw Fault(session, "file name \"" + header.FileName + "\" is refused");
    if (!IsSafePlacement(header.Placement))
      throw Fault(session, header.FileName + ": placement \"" + header.Placement + "\" leaves the target directory");
    CheckData(source, session, header, data, piece);
    position = data + header.StoredSize;
    total += header.FileSize;
  }
  if (position != session.Start) throw Fault(session, "bytes between the last file and the trailer");
  if (total != trailer.TotalSize) throw Fault(session, "total size differs from the sum of the file sizes");
  return trailer.RecordCount;
}

void CheckTrailer(const LocatedTrailer& session) {
  const SessionTrailer& trailer = session.Trailer;
  if (trailer.RecordCount < 0) throw Fault(session, "negative file count");
  if (trailer.RecordsLength != session.Start - trailer.SessionOffset)
    throw Fault(session, "records length differs from the distance to the trailer");
}

int Verify(const std::string& path, const PackHost& host, std::ostream& out) {
  const auto source = host.Files().OpenRead(path);
  const std::int64_t size = source->Size();
  const SessionChain chain = ReadSessionChain(*source);
  if (chain.Sessions.empty()) throw EPackError(path + ": no session found");
  std::int64_t files = 0;
  try {
    if (chain.Broken) throw Fault(chain.Sessions.front(), "starts outside the file or behind its trailer");
    for (const LocatedTrailer& session : chain.Sessions) {
      CheckTrailer(session);
      files += CheckFiles(*source, session, size);
    }
  } catch (const Fault& fault) {
    throw EPackError(host.HostText(fault.what()));  // a fault tells only stored names
  }
  out << path << ": " << chain.Sessions.size() << " sessions, " << files << " files, all intact";
  if (chain.TrailingBytes > 0) out << " (" << chain.TrailingBytes << " bytes follow the last session)";
  out << "\n";
  return 0;
}

}  // namespace

int RunVerify(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  const CommandShape shape{"verify", kHelp, {}, {}, 1, 1};
  return RunCommand(shape, arguments, out, err,
                    [&](const ParsedArguments& parsed) { return Verify(parsed.Positional[0], host, out); });
}

}  // namespace vnx

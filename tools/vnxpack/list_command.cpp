// vnxpack list: every session of a file and its files.

#include <iomanip>

#include "session/session_format.h"
#include "session/session_writer.h"
#include "tools/vnxpack/command_runner.h"
#include "tools/vnxpack/file_time_text.h"
#include "tools/vnxpack/session_chain.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack list FILE\n"
    "\n"
    "Shows every session FILE carries, in the order they were appended: name,\n"
    "version text, file count and total size, then each file with its name,\n"
    "placement, size, stored size and last-write time (UTC). Exits with 1 at\n"
    "the first damaged trailer or file header.\n";

// Names are shown as host text: stored names are code-page text.
void ListFiles(SourceStream& source, const LocatedTrailer& session, const PackHost& host, std::ostream& out) {
  std::int64_t position = session.Trailer.SessionOffset;
  for (std::int32_t index = 0; index < session.Trailer.RecordCount; ++index) {
    std::uint8_t block[kHeaderSize];
    source.Seek(position);
    if (source.Read(block, kHeaderSize) != kHeaderSize || !IsValidHeader(block))
      throw EPackError("damaged file header at offset " + std::to_string(position));
    const FileRecordHeader header = ParseHeader(block);
    out << "  " << std::left << std::setw(24) << host.HostText(header.FileName) << " " << std::setw(16)
        << ("\"" + host.HostText(header.Placement) + "\"") << std::right << std::setw(11) << header.FileSize
        << std::setw(11) << header.StoredSize << "  " << FileTimeText(header.LastWriteTime) << "\n";
    if (header.StoredSize < 0) throw EPackError("negative stored size at offset " + std::to_string(position));
    position += static_cast<std::int64_t>(kHeaderSize) + header.StoredSize;
  }
}

int List(const std::string& path, const PackHost& host, std::ostream& out) {
  const auto source = host.Files().OpenRead(path);
  const SessionChain chain = ReadSessionChain(*source);
  if (chain.Sessions.empty()) throw EPackError("no session found in " + path);
  if (chain.Broken) throw EPackError("the chain of sessions in " + path + " is broken");
  for (const LocatedTrailer& session : chain.Sessions) {
    const SessionTrailer& trailer = session.Trailer;
    out << "session \"" << host.HostText(trailer.SessionName) << "\"  version \"" << host.HostText(trailer.VersionText)
        << "\"  " << trailer.RecordCount << " files, " << trailer.TotalSize << " bytes\n";
    out << "  " << std::left << std::setw(24) << "name"
        << " " << std::setw(16) << "placement" << std::right << std::setw(11) << "size" << std::setw(11) << "stored"
        << "  last write (UTC)\n";
    ListFiles(*source, session, host, out);
  }
  if (chain.TrailingBytes > 0) out << chain.TrailingBytes << " bytes follow the last session\n";
  return 0;
}

}  // namespace

int RunList(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  const CommandShape shape{"list", kHelp, {}, {}, 1, 1};
  return RunCommand(shape, arguments, out, err,
                    [&](const ParsedArguments& parsed) { return List(parsed.Positional[0], host, out); });
}

}  // namespace vnx

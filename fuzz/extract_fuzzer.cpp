// Arbitrary bytes as a runner's own executable: the reader extracts
// "Session1" from them into a scratch directory, searching backwards and
// not. It may refuse with one of its messages; it must never crash, hang,
// allocate without bound, or write anything but plain files directly inside
// the target directory. Mutations rarely keep a header's checksum right, so
// each input is tried a second time with the checksum of every block whose
// two markers stand in place made right again: sizes, offsets and counts
// then reach the code behind the checks.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "session/posix_file_seam.h"
#include "session/session_format.h"
#include "session/zef_exe_appender.h"

namespace {

struct Scratch {
  std::string root, input, out;
  Scratch() {
    const char* temp = std::getenv("TMPDIR");
    root = std::string(temp && *temp ? temp : "/tmp") + "/vnx-fuzz-XXXXXX";
    if (!mkdtemp(root.data())) std::abort();
    input = root + "/show.exe";
    out = root + "/out";
    if (mkdir(out.c_str(), 0777) != 0) std::abort();
  }
};

const Scratch& TheScratch() {
  static const Scratch scratch;
  return scratch;
}

// Names in a directory, without "." and "..".
template <class Visit>
void ForEachEntry(const std::string& directory, Visit&& visit) {
  DIR* dir = opendir(directory.c_str());
  if (!dir) std::abort();
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") visit(name);
  }
  closedir(dir);
}

// Only the source and the target directory stand in the scratch root, and the
// target holds plain files only; they are removed for the next input.
void CheckAndClear(const Scratch& scratch) {
  ForEachEntry(scratch.root, [](const std::string& name) {
    if (name != "show.exe" && name != "out") __builtin_trap();
  });
  ForEachEntry(scratch.out, [&](const std::string& name) {
    const std::string path = scratch.out + "/" + name;
    struct stat facts {};
    if (lstat(path.c_str(), &facts) != 0 || !S_ISREG(facts.st_mode)) __builtin_trap();
    unlink(path.c_str());
  });
}

// Recomputes the checksum of every header and trailer whose markers stand in
// place; true when anything changed.
bool Reseal(std::string& bytes) {
  auto* base = reinterpret_cast<std::uint8_t*>(bytes.data());
  bool changed = false;
  auto seal = [&](std::size_t at, std::size_t blockSize) {
    if (at + blockSize > bytes.size() || vnx::ReadLittleEndian32(base + at + blockSize - 4) != vnx::kEndMarker) return;
    const std::uint32_t sum = vnx::RecordChecksum(base + at, blockSize - 8);
    changed |= vnx::ReadLittleEndian32(base + at + blockSize - 8) != sum;
    vnx::WriteLittleEndian32(base + at + blockSize - 8, sum);
  };
  for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
    if (vnx::ReadLittleEndian32(base + at) != vnx::kRecordMarker) continue;
    seal(at, vnx::kHeaderSize);
    seal(at, vnx::kTrailerSize);
  }
  return changed;
}

void ExtractAll(const Scratch& scratch, const std::string& bytes) {
  std::ofstream(scratch.input, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  vnx::TZefExeAppender reader(vnx::PosixFiles(), vnx::ExecutableAt(vnx::PosixFiles(), [&] { return scratch.input; }));
  reader.TargetDir = scratch.out + "\\";
  // Skip some files so that passing over stored data is exercised too.
  reader.OnFile = [](vnx::TZefExeAppender&, std::string& fileName, std::string&, bool& skip) {
    skip = fileName.size() % 3 == 0;
  };
  reader.OnProgress = reader.OnFileProgress = [](vnx::TZefExeAppender&, const std::string&, std::int32_t, bool&) {};
  for (const bool search : {true, false}) {
    reader.SearchBackward = search;
    try {
      reader.Extract("Session1");
    } catch (const vnx::ERunnerError&) {
      // A refusal with the reader's message is a good outcome.
    }
    CheckAndClear(scratch);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  ExtractAll(TheScratch(), bytes);
  if (Reseal(bytes)) ExtractAll(TheScratch(), bytes);
  return 0;
}

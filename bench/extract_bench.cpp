// Session reader benchmark, run on demand (bench/run_extract.sh), natively:
//  1. extraction throughput of a session of at least 256 MiB of mixed
//     compressible data in files of varied size, against plain zlib inflate
//     of the same streams into the same directory;
//  2. the backward search with 4 MiB of bytes behind the trailer, against none;
//  3. peak memory of a process extracting a 1 GiB file, against a 1 MiB file.
//   extract_bench WORKDIR

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "session/posix_file_seam.h"
#include "session/session_format.h"
#include "session/session_writer.h"
#include "session/trailer_search.h"
#include "session/zef_exe_appender.h"

extern char** environ;

namespace vnx {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::int64_t kMiB = 1 << 20;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Mixed content: text from a small vocabulary, bytes from a narrow alphabet,
// runs, and some noise, chosen per 4 KiB block.
std::string MixedContent(std::size_t size, std::uint32_t seed) {
  static const char* const kWords[] = {"the ",    "presentation ", "window ",   "projector ", "session ", "file ",
                                       "engine ", "music ",        "settings ", "of ",        "and ",     "runner ",
                                       "frame ",  "movie ",        "sound ",    "key "};
  std::mt19937 random(seed);
  std::string content;
  content.reserve(size);
  while (content.size() < size) {
    const std::size_t block = std::min<std::size_t>(4096, size - content.size());
    const std::size_t end = content.size() + block;
    switch (random() % 10) {
      case 0:  // noise
        while (content.size() < end) content += static_cast<char>(random());
        break;
      case 1:
      case 2:  // a narrow alphabet, as in pixel data
        while (content.size() < end) content += static_cast<char>(random() % 16 * 17);
        break;
      case 3:  // a run
        content.append(block, static_cast<char>(random()));
        break;
      default:  // text
        while (content.size() < end) content += kWords[random() % 16];
        content.resize(end);
    }
  }
  return content;
}

PackedFile GeneratedFile(const std::string& name, std::int64_t size, std::uint32_t seed) {
  PackedFile file;
  file.Name = name;
  file.SourceDir = "C:\\bench\\";
  file.LastWriteTime = 126'256'467'067'000'000ull;
  file.Size = size;
  file.Open = [size, seed] {
    return std::make_unique<std::istringstream>(MixedContent(static_cast<std::size_t>(size), seed));
  };
  return file;
}

void WriteRunner(const std::string& path, const PackedSession& packed, const std::string& behind = {}) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << std::string(64 * 1024, 'M');  // the program image
  WriteSession(out, packed);
  out << behind;
}

void ClearDirectory(const std::string& directory) {
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
}

// Plain zlib: for every record, inflate its stream in 64 KiB blocks into a
// new file in the directory (raw files copied), nothing else.
void PlainInflate(const std::string& source, const std::string& directory) {
  const int in = open(source.c_str(), O_RDONLY);
  struct stat facts {};
  fstat(in, &facts);
  std::uint8_t window[kTrailerSize];
  pread(in, window, kTrailerSize, facts.st_size - static_cast<off_t>(kTrailerSize));
  const SessionTrailer trailer = ParseTrailer(window);
  std::vector<std::uint8_t> input(65536), output(65536);
  off_t position = trailer.SessionOffset;
  for (std::int32_t index = 0; index < trailer.RecordCount; ++index) {
    std::uint8_t block[kHeaderSize];
    pread(in, block, kHeaderSize, position);
    const FileRecordHeader header = ParseHeader(block);
    position += static_cast<off_t>(kHeaderSize);
    const int out = open((directory + "/" + header.FileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    off_t at = position;
    const off_t end = position + header.StoredSize;
    if (header.FileSize < kCompressedFrom) {
      pread(in, output.data(), static_cast<std::size_t>(header.FileSize), at);
      write(out, output.data(), static_cast<std::size_t>(header.FileSize));
    } else {
      z_stream stream{};
      inflateInit(&stream);
      int result = Z_OK;
      while (result != Z_STREAM_END) {
        if (stream.avail_in == 0) {
          const auto got = pread(in, input.data(), static_cast<std::size_t>(std::min<off_t>(65536, end - at)), at);
          at += got;
          stream.next_in = input.data();
          stream.avail_in = static_cast<uInt>(got);
        }
        stream.next_out = output.data();
        stream.avail_out = 65536;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) std::abort();
        write(out, output.data(), 65536 - stream.avail_out);
      }
      inflateEnd(&stream);
    }
    close(out);
    position = end;
  }
  close(in);
}

void ReaderExtract(const std::string& source, const std::string& directory) {
  TZefExeAppender reader(PosixFiles(), ExecutableAt(PosixFiles(), [] { return std::string(); }));
  reader.UseOwnExe = false;
  reader.SourceFile = source;
  reader.TargetDir = directory + "\\";
  reader.Extract(kDefaultSessionName);
}

void Throughput(const std::string& work) {
  // Files from 1 KiB to 32 MiB, most of them small, 272 MiB together.
  PackedSession packed;
  std::mt19937 random(7);
  std::int64_t total = 0;
  for (int index = 0; total < 272 * kMiB; ++index) {
    const std::int64_t scale[] = {1 << 10, 16 << 10, 256 << 10, 2 * kMiB, 16 * kMiB};
    const std::int64_t size = scale[random() % 5] + static_cast<std::int64_t>(random() % (1 << 20)) * (index % 3);
    packed.Files.push_back(
        GeneratedFile("file" + std::to_string(index) + ".dat", size, static_cast<std::uint32_t>(index)));
    total += size;
  }
  const std::string source = work + "/large.exe";
  const auto written = Clock::now();
  WriteRunner(source, packed);
  std::printf("session: %zu files, %.1f MiB, stored as %.1f MiB (written in %.0f s)\n", packed.Files.size(),
              static_cast<double>(total) / kMiB, static_cast<double>(std::filesystem::file_size(source)) / kMiB,
              Seconds(written));

  const std::string out = work + "/out";
  double best[2] = {1e9, 1e9};
  for (int round = 0; round < 4; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      const int which = (round + turn) % 2;  // each goes first in every other round
      ClearDirectory(out);
      sync();
      const auto start = Clock::now();
      which == 0 ? ReaderExtract(source, out) : PlainInflate(source, out);
      best[which] = std::min(best[which], Seconds(start));
    }
  }
  const double mib = static_cast<double>(total) / kMiB;
  std::printf(
      "extraction:    reader %.0f MiB/s (%.2f s), plain inflate %.0f MiB/s (%.2f s): ratio %.3f (goal >= 0.9)\n",
      mib / best[0], best[0], mib / best[1], best[1], best[1] / best[0]);
  std::filesystem::remove_all(out);
  std::filesystem::remove(source);
}

double SearchMilliseconds(const std::string& path) {
  double best = 1e9;
  for (int round = 0; round < 20; ++round) {
    const auto start = Clock::now();
    const auto source = PosixFiles().OpenRead(path);
    if (!FindTrailer(*source, source->Size(), true)) std::abort();
    best = std::min(best, Seconds(start) * 1000);
  }
  return best;
}

void Search(const std::string& work) {
  const PackedSession packed = [] {
    PackedSession s;
    s.Files.push_back(GeneratedFile("a.dat", 1000, 1));
    return s;
  }();
  std::string noise(4 * kMiB, '\0');
  std::mt19937 random(3);
  for (char& c : noise) c = static_cast<char>(random());
  WriteRunner(work + "/plain.exe", packed);
  WriteRunner(work + "/signed.exe", packed, noise);
  std::printf("search:        trailer at the end %.3f ms, behind 4 MiB of bytes %.2f ms (goal < 50 ms)\n",
              SearchMilliseconds(work + "/plain.exe"), SearchMilliseconds(work + "/signed.exe"));
}

// Peak resident memory of a fresh process extracting the session, in KiB.
long PeakKilobytes(const std::string& self, const std::string& source, const std::string& out) {
  ClearDirectory(out);
  pid_t child = 0;
  std::string mode = "--extract";
  char* arguments[] = {const_cast<char*>(self.c_str()), mode.data(), const_cast<char*>(source.c_str()),
                       const_cast<char*>(out.c_str()), nullptr};
  if (posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments, environ) != 0) std::abort();
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
  return usage.ru_maxrss;
}

void Memory(const std::string& self, const std::string& work) {
  // A periodic pattern compresses quickly at the best level and still makes
  // the reader inflate and write every byte.
  auto patterned = [](const std::string& name, std::int64_t size) {
    PackedFile file = GeneratedFile(name, size, 0);
    file.Open = [size] {
      std::string period = MixedContent(4096, 11);
      struct Repeat : std::streambuf {
        std::string block;
        std::int64_t left;
        Repeat(std::string b, std::int64_t n) : block(std::move(b)), left(n) {}
        int_type underflow() override {
          if (left <= 0) return traits_type::eof();
          const auto n =
              static_cast<std::ptrdiff_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(block.size())));
          left -= n;
          setg(block.data(), block.data(), block.data() + n);
          return traits_type::to_int_type(block[0]);
        }
      };
      struct Stream : std::istream {
        Repeat buffer;
        Stream(std::string b, std::int64_t n) : std::istream(nullptr), buffer(std::move(b), n) { rdbuf(&buffer); }
      };
      return std::unique_ptr<std::istream>(new Stream(period, size));
    };
    return file;
  };
  const std::string small = work + "/small.exe", large = work + "/huge.exe", out = work + "/memory-out";
  WriteRunner(small, PackedSession{kDefaultSessionName, kPackVersionText, {patterned("one.dat", kMiB)}});
  const auto written = Clock::now();
  WriteRunner(large, PackedSession{kDefaultSessionName, kPackVersionText, {patterned("one.dat", 1024 * kMiB)}});
  std::printf("memory:        1 GiB file stored as %.1f MiB (written in %.0f s)\n",
              static_cast<double>(std::filesystem::file_size(large)) / kMiB, Seconds(written));
  const long smallPeak = PeakKilobytes(self, small, out);
  const auto start = Clock::now();
  const long largePeak = PeakKilobytes(self, large, out);
  std::printf("               peak RSS extracting 1 MiB: %ld KiB, 1 GiB: %ld KiB (in %.1f s)\n", smallPeak, largePeak,
              Seconds(start));
  std::filesystem::remove_all(out);
}

}  // namespace
}  // namespace vnx

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--extract") {
    vnx::ReaderExtract(argv[2], argv[3]);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: extract_bench WORKDIR\n");
    return 2;
  }
  const std::string work = argv[1];
  std::filesystem::create_directories(work);
  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  vnx::Search(work);
  vnx::Memory(self, work);
  vnx::Throughput(work);
  std::filesystem::remove_all(work);
  return 0;
}

// The session reader on real files (the POSIX file layer), over small
// sessions made by the authoring tool's writer and hand-damaged copies.
// Native only: the Windows build checks the Win32 file layer in
// win32_file_seam_wintest.cpp.
#if !defined(_WIN32)

#include "session/zef_exe_appender.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "session/posix_file_seam.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/session_fixture.h"

namespace vnx {
namespace {

using test::Compressible;
using test::MemoryFile;
using test::Packed;
using test::Session;

constexpr std::size_t kStub = 3000;
const std::string kFirst = Compressible(50, 'f');                 // raw
const std::string kBig = Compressible(200000, 'b');               // four pieces of a zlib stream
const std::string kLast = Compressible(109, 'l');                 // the smallest compressed file
constexpr std::uint64_t kFirstTime = 125'963'423'990'000'000ull;  // 2000-02-29 23:59:59 UTC

std::string Standard() {
  return Packed(std::string(kStub, 'S'),
                {Session({MemoryFile("first.txt", kFirst, "", kFirstTime), MemoryFile("big.bin", kBig, "sub"),
                          MemoryFile("last.dat", kLast)})});
}

std::size_t Header(const std::string& file, int index) { return test::HeaderOffset(file, kStub, index); }
std::size_t TrailerAt(const std::string& file) { return file.size() - kTrailerSize; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mkdir(out.c_str(), 0777);
    reader.TargetDir = out + "\\";
  }

  // Runs Extract; the exception's message, or "" when it returned.
  std::string Run(const std::string& session = kDefaultSessionName) {
    try {
      reader.Extract(session);
    } catch (const ERunnerError& error) {
      return error.what();
    }
    return "";
  }

  // Every file below the scratch directory but the source, with its content.
  std::map<std::string, std::string> Written() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch.Path())) {
      const std::string path = entry.path().string();
      if (entry.is_regular_file() && path != source)
        files[path.substr(scratch.Path().size() + 1)] = test::ReadBytes(path);
    }
    return files;
  }

  test::ScratchDir scratch;
  const std::string source = scratch / "show.exe";
  const std::string out = scratch / "out";
  TZefExeAppender reader{PosixFiles(), ExecutableAt(PosixFiles(), [this] { return source; })};
};

struct DamageCase {
  const char* name;
  std::function<std::string()> make;
  std::string message;  // {src}: the source path, {out}: the target directory
  std::set<std::string> written;
  std::string session = kDefaultSessionName;
  bool search = true;
};

// A session whose trailer ends at `end`, followed by `trailing` bytes.
std::string TrailerEndingAt(std::size_t end, std::size_t trailing) {
  const PackedSession packed = Session({MemoryFile("first.txt", kFirst)});
  const std::size_t length = Packed("", {packed}).size();
  return Packed(std::string(end - length, 'S'), {packed}) + std::string(trailing, '\0');
}

template <class Change>
std::string WithHeader(int index, Change change) {
  std::string file = Standard();
  test::PatchHeader(file, Header(file, index), change);
  return file;
}

template <class Change>
std::string WithTrailer(Change change) {
  std::string file = Standard();
  test::PatchTrailer(file, TrailerAt(file), change);
  return file;
}

std::string WithByte(std::function<std::size_t(const std::string&)> where, std::uint8_t value) {
  std::string file = Standard();
  file[where(file)] = static_cast<char>(value);
  return file;
}

std::string WithFlip(std::function<std::size_t(const std::string&)> where) {
  std::string file = Standard();
  file[where(file)] ^= 0x21;
  return file;
}

// One file record written by hand: any sizes, any data.
std::string HandMade(const std::string& name, std::int32_t fileSize, const std::string& data) {
  std::string file = "stub";
  std::string header(kHeaderSize, '\0');
  FormatHeader(FileRecordHeader{name, "", "", fileSize, static_cast<std::int32_t>(data.size()), test::kSomeFileTime},
               test::BytesAt(header, 0));
  SessionTrailer trailer;
  trailer.SessionOffset = 4;
  trailer.RecordCount = 1;
  trailer.TotalSize = fileSize;
  trailer.SessionName = kDefaultSessionName;
  std::string window(kTrailerSize, '\0');
  FormatTrailer(trailer, test::BytesAt(window, 0));
  return file + header + data + window;
}

std::size_t BigData(const std::string& file) { return Header(file, 1) + kHeaderSize; }
std::size_t BigStoredSize(const std::string& file) {
  return static_cast<std::size_t>(
      ParseHeader(reinterpret_cast<const std::uint8_t*>(file.data() + Header(file, 1))).StoredSize);
}

const std::set<std::string> kAll = {"out/first.txt", "out/big.bin", "out/last.dat"};
const std::set<std::string> kNone = {};

TEST_F(ExtractTest, SessionsFoundAndDamageReportedWithTheReadersMessages) {
  const std::string notFound = "Session not found on extract from {src}";
  const std::string prefix = "File prefix format error on extract from {src}";
  const DamageCase cases[] = {
      {"intact", Standard, "", kAll},
      {"name differs in letter case", Standard, notFound, kNone, "session1"},
      {"63-character name",
       [] { return Packed("S", {Session({MemoryFile("first.txt", kFirst)}, std::string(63, 'n'))}); },
       "",
       {"out/first.txt"},
       std::string(63, 'n')},
      {"no session at all", [] { return std::string(5000, 'S'); }, notFound, kNone},
      {"one trailing byte", [] { return Standard() + "X"; }, "", kAll},
      {"one trailing byte, no search", [] { return Standard() + "X"; }, notFound, kNone, kDefaultSessionName, false},
      {"4 MiB trailing", [] { return Standard() + std::string(4 << 20, '\x8C'); }, "", kAll},
      {"trailer ends at 2048, bytes behind", [] { return TrailerEndingAt(2048, 100); }, "", {"out/first.txt"}},
      {"trailer ends at 2047, bytes behind", [] { return TrailerEndingAt(2047, 100); }, notFound, kNone},
      {"trailer ends at 1500, nothing behind", [] { return TrailerEndingAt(1500, 0); }, "", {"out/first.txt"}},
      {"damaged trailer", [] { return WithFlip([](const std::string& f) { return TrailerAt(f) + 100; }); }, notFound,
       kNone},
      {"session offset behind its trailer",
       [] { return WithTrailer([](SessionTrailer& t) { t.SessionOffset += 1 << 20; }); }, notFound, kNone},
      {"negative session offset", [] { return WithTrailer([](SessionTrailer& t) { t.SessionOffset = -1; }); }, notFound,
       kNone},
      {"total size 0", [] { return WithTrailer([](SessionTrailer& t) { t.TotalSize = 0; }); }, "", kNone},
      {"negative record count", [] { return WithTrailer([](SessionTrailer& t) { t.RecordCount = -1; }); }, "", kNone},
      {"record count beyond the file", [] { return WithTrailer([](SessionTrailer& t) { t.RecordCount = 1000; }); },
       prefix, kNone},
      {"huge record count", [] { return WithTrailer([](SessionTrailer& t) { t.RecordCount = INT32_MAX; }); }, prefix,
       kNone},
      {"second header damaged",
       [] { return WithFlip([](const std::string& f) { return Header(f, 1) + 10; }); },
       prefix,
       {"out/first.txt"}},
      {"negative file size", [] { return WithHeader(0, [](FileRecordHeader& h) { h.FileSize = h.StoredSize = -1; }); },
       prefix, kNone},
      {"negative stored size",
       [] { return WithHeader(1, [](FileRecordHeader& h) { h.StoredSize = -5; }); },
       prefix,
       {"out/first.txt"}},
      {"raw stored size differs", [] { return WithHeader(0, [](FileRecordHeader& h) { h.StoredSize = 49; }); }, prefix,
       kNone},
      {"stored size runs past the end",
       [] { return WithHeader(2, [](FileRecordHeader& h) { h.StoredSize = INT32_MAX; }); },
       "Stream read error",
       {"out/first.txt", "out/big.bin"}},
      {"corrupt compressed block",
       [] { return WithByte([](const std::string& f) { return BigData(f) + 2; }, 0xFF); },
       "error",
       {"out/first.txt"}},
      {"check value differs after all pieces",
       [] { return WithFlip([](const std::string& f) { return BigData(f) + BigStoredSize(f) - 1; }); },
       "error",
       {"out/first.txt"}},
      {"stream shorter than the file size",
       [] { return WithHeader(1, [](FileRecordHeader& h) { h.FileSize += 1; }); },
       "Stream read error",
       {"out/first.txt"}},
      {"stored size cuts the stream",
       [] { return WithHeader(1, [](FileRecordHeader& h) { h.StoredSize /= 2; }); },
       "Extract error on {out}\\big.bin",
       {"out/first.txt"}},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    test::WriteBytes(source, c.make());
    reader.SearchBackward = c.search;
    const std::string message = Run(c.session);
    EXPECT_EQ(message, Replaced(Replaced(c.message, "{src}", source), "{out}", out));
    std::set<std::string> names;
    for (const auto& [name, content] : Written()) {
      names.insert(name);
      EXPECT_EQ(content, name == "out/first.txt" ? kFirst : name == "out/big.bin" ? kBig : kLast) << name;
    }
    EXPECT_EQ(names, c.written);
  }
}

TEST_F(ExtractTest, NamesThatCouldLeaveTheDirectoryAreRefused) {
  for (const std::string name :
       {"", ".", "..", "..\\evil.dll", "../evil.dll", "sub/x", "c:evil", "a:b", "CON", "nul.txt", ". ."}) {
    SCOPED_TRACE(name);
    test::WriteBytes(source, WithHeader(0, [&](FileRecordHeader& h) { h.FileName = name; }));
    EXPECT_EQ(Run(), "Invalid file name \"" + name + "\" on extract from " + source);
    EXPECT_TRUE(Written().empty());
  }
  // A handler that renames a file to such a name is refused the same way.
  test::WriteBytes(source, Standard());
  reader.OnFile = [](TZefExeAppender&, std::string& fileName, std::string&, bool&) { fileName = "..\\" + fileName; };
  EXPECT_EQ(Run(), "Invalid file name \"..\\first.txt\" on extract from " + source);
  EXPECT_TRUE(Written().empty());
}

TEST_F(ExtractTest, FilesCarryTheirHeaderTimesAndEmptyFilesAreCreated) {
  const std::uint64_t later = 137'919'572'480'000'000ull;
  test::WriteBytes(source, Packed("S", {Session({MemoryFile("first.txt", kFirst, "", kFirstTime),
                                                 MemoryFile("empty.dat", "", "", later),
                                                 MemoryFile("big.bin", kBig, "", later + 1234567)})}));
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(test::ModificationFileTime(out + "/first.txt"), kFirstTime);
  EXPECT_EQ(test::ModificationFileTime(out + "/empty.dat"), later);
  EXPECT_EQ(test::ModificationFileTime(out + "/big.bin"), later + 1234567);
  EXPECT_EQ(test::ReadBytes(out + "/empty.dat"), "");
}

TEST_F(ExtractTest, ASessionOfOnlyEmptyFilesHasTotalSizeZeroAndEndsAtOnce) {
  test::WriteBytes(source, Packed("S", {Session({MemoryFile("empty.dat", "")})}));
  int calls = 0;
  reader.OnFile = [&](TZefExeAppender&, std::string&, std::string&, bool&) { ++calls; };
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(reader.TotalSize, 0);
}

TEST_F(ExtractTest, PieceBoundariesAndTheRawLimit) {
  std::vector<PackedFile> files;
  std::map<std::string, std::string> expected;
  for (const std::size_t size : {1u, 108u, 109u, 65535u, 65536u, 65537u, 131073u}) {
    const std::string name = "f" + std::to_string(size);
    expected["out/" + name] = Compressible(size, static_cast<char>('a' + size % 7));
    files.push_back(MemoryFile(name, expected["out/" + name]));
  }
  test::WriteBytes(source, Packed("S", {Session(std::move(files))}));
  std::vector<std::pair<std::int32_t, std::int32_t>> progress;  // FileDone, percent of f131073
  reader.OnFileProgress = [&](TZefExeAppender& sender, const std::string& name, std::int32_t percent, bool&) {
    if (name == "f131073") progress.emplace_back(sender.FileDone, percent);
  };
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(Written(), expected);
  const std::vector<std::pair<std::int32_t, std::int32_t>> pieces = {{0, 0}, {65536, 50}, {131072, 100}, {131073, 100}};
  EXPECT_EQ(progress, pieces);
}

TEST_F(ExtractTest, TheFileSizeAloneDecidesRawOrCompressed) {
  // 108 bytes that look like a zlib stream are copied as they are.
  std::string looksCompressed = "\x78\xDA" + Compressible(106);
  test::WriteBytes(source, HandMade("x.bin", 108, looksCompressed));
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(test::ReadBytes(out + "/x.bin"), looksCompressed);
  // 109 bytes stored raw are inflated, fail, and leave no file.
  test::WriteBytes(source, HandMade("y.bin", 109, Compressible(109)));
  EXPECT_EQ(Run(), "error");
  EXPECT_FALSE(test::Exists(out + "/y.bin"));
}

TEST_F(ExtractTest, ChainsAreWalkedFromTheLastSessionAndNamesCompareExactly) {
  test::WriteBytes(source, Packed("stub", {Session({MemoryFile("a1.txt", "A")}, "A"),
                                           Session({MemoryFile("b1.txt", "B1"), MemoryFile("b2.txt", "B2")}, "B"),
                                           Session({MemoryFile("old.txt", "old")}, "Session1"),
                                           Session({MemoryFile("new.txt", "new")}, "Session1")}) +
                               "trailing signature");
  struct Case {
    const char* session;
    std::map<std::string, std::string> files;
  } const cases[] = {
      {"A", {{"out/a1.txt", "A"}}},
      {"B", {{"out/b1.txt", "B1"}, {"out/b2.txt", "B2"}}},
      {"Session1", {{"out/new.txt", "new"}}},  // the last appended is found first
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    EXPECT_EQ(Run(c.session), "") << c.session;
    EXPECT_EQ(Written(), c.files) << c.session;
  }
  EXPECT_EQ(Run("C"), "Session not found on extract from " + source);
  EXPECT_EQ(Run("a"), "Session not found on extract from " + source);
}

TEST_F(ExtractTest, TheSessionNameIsCheckedBeforeTheSourceIsOpened) {
  // No source file exists here.
  EXPECT_EQ(Run(std::string(64, 'n')), "Session name too long");
  EXPECT_EQ(Run(std::string(63, 'n')), "Cannot open file " + source);
}

TEST_F(ExtractTest, TheHandlerRenamesRedirectsAndSkips) {
  test::WriteBytes(source, Standard());
  const std::string other = scratch / "other";
  mkdir(other.c_str(), 0777);
  std::vector<std::string> seen;
  std::vector<std::int32_t> totals;
  reader.OnFile = [&](TZefExeAppender& sender, std::string& fileName, std::string& destinationDir, bool& skip) {
    seen.push_back(fileName + "|" + sender.Placement + "|" + destinationDir + "|" + std::to_string(sender.FileSize));
    if (fileName == "first.txt") fileName = "renamed.txt";
    if (fileName == "big.bin") destinationDir = other;  // without a trailing "\": the reader adds it
    if (fileName == "last.dat") skip = true;
  };
  reader.OnProgress = [&](TZefExeAppender& sender, const std::string&, std::int32_t percent, bool&) {
    totals.push_back(sender.TotalDone);
    totals.push_back(percent);
  };
  ASSERT_EQ(Run(), "");
  const std::vector<std::string> expectedSeen = {"first.txt||" + out + "\\|50", "big.bin|sub|" + out + "\\|200000",
                                                 "last.dat||" + out + "\\|109"};
  EXPECT_EQ(seen, expectedSeen);
  const std::map<std::string, std::string> expectedFiles = {{"out/renamed.txt", kFirst}, {"other/big.bin", kBig}};
  EXPECT_EQ(Written(), expectedFiles);
  // Before and after each file; the skipped file counts too.
  const std::vector<std::int32_t> expectedTotals = {0, 0, 50, 0, 50, 0, 200050, 100, 200050, 100, 200159, 100};
  EXPECT_EQ(totals, expectedTotals);
  EXPECT_EQ(reader.FileName, "last.dat");
  EXPECT_EQ(reader.TotalSize, 200159);
}

TEST_F(ExtractTest, DestinationsFromTheHeaderOrADriveGetNoExtraBackslash) {
  // An empty TargetDir sends each file to the directory stored in its header.
  PackedFile file = MemoryFile("first.txt", kFirst);
  file.SourceDir = out + "\\";
  test::WriteBytes(source, Packed("S", {Session({file})}));
  reader.TargetDir.clear();
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(test::ReadBytes(out + "/first.txt"), kFirst);

  // A destination ending in ":" is a drive's current directory: no "\" is
  // added, so the name follows it directly.
  reader.TargetDir = out + "\\";
  reader.OnFile = [&](TZefExeAppender&, std::string&, std::string& destinationDir, bool&) {
    destinationDir = out + "\\d:";
  };
  ASSERT_EQ(Run(), "");
  EXPECT_EQ(test::ReadBytes(out + "/d:first.txt"), kFirst);
}

TEST_F(ExtractTest, AnAbortEndsNormallyAndDeletesTheFileBeingWritten) {
  test::WriteBytes(source, Standard());
  reader.OnFileProgress = [](TZefExeAppender& sender, const std::string& name, std::int32_t, bool& abort) {
    abort = name == "big.bin" && sender.FileDone == 2 * 65536;
  };
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Written(), (std::map<std::string, std::string>{{"out/first.txt", kFirst}}));

  std::filesystem::remove_all(out);
  std::filesystem::create_directory(out);
  reader.OnFileProgress = nullptr;
  reader.OnProgress = [](TZefExeAppender& sender, const std::string& name, std::int32_t, bool& abort) {
    abort = name == "last.dat" && sender.TotalDone == 200050;  // before last.dat is written
  };
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Written().size(), 2u);
}

TEST_F(ExtractTest, CreateFailuresNameThePathAndEarlierFilesStay) {
  test::WriteBytes(source, Standard());
  reader.OnFile = [&](TZefExeAppender&, std::string& fileName, std::string& destinationDir, bool&) {
    if (fileName == "big.bin") destinationDir = out + "\\missing";
  };
  EXPECT_EQ(Run(), "Cannot create file " + out + "\\missing\\big.bin");
  EXPECT_EQ(Written(), (std::map<std::string, std::string>{{"out/first.txt", kFirst}}));
}

TEST_F(ExtractTest, ExistingFilesAreReplacedAndLinksAreNotFollowed) {
  test::WriteBytes(source, Standard());
  test::WriteBytes(out + "/first.txt", "an older and longer content than the new file has");
  const std::string elsewhere = scratch / "elsewhere.txt";
  test::WriteBytes(elsewhere, "keep");
  std::filesystem::create_symlink(elsewhere, out + "/big.bin");
  EXPECT_EQ(Run(), "Cannot create file " + out + "\\big.bin");
  EXPECT_EQ(test::ReadBytes(out + "/first.txt"), kFirst);
  EXPECT_EQ(test::ReadBytes(elsewhere), "keep");
}

TEST_F(ExtractTest, OneObjectServesManyExtractionsAndKeepsItsLastValues) {
  test::WriteBytes(source, WithHeader(1, [](FileRecordHeader& h) { h.FileSize += 1; }));
  EXPECT_EQ(Run(), "Stream read error");
  EXPECT_EQ(reader.FileName, "big.bin");
  EXPECT_EQ(reader.FileSize, 200001);
  EXPECT_EQ(reader.Placement, "sub");
  EXPECT_EQ(reader.TotalDone, 50);

  // The own executable comes from the function; SourceFile counts only
  // without UseOwnExe.
  const std::string packed = scratch / "packed.exe";
  test::WriteBytes(packed, Standard());
  reader.SourceFile = packed;
  EXPECT_EQ(Run(), "Stream read error");
  reader.UseOwnExe = false;
  for (int round = 0; round < 3; ++round) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    EXPECT_EQ(Run(), "") << round;
    auto files = Written();
    files.erase("packed.exe");
    EXPECT_EQ(files.size(), 3u);
    EXPECT_EQ(reader.TotalDone, 200159);
  }
}

}  // namespace
}  // namespace vnx

#endif

// The authoring tool, run in-process with the arguments a shell would pass,
// on real files. Native only; vnxpack_wintest.cpp runs it on Windows files.
#if !defined(_WIN32)

#include "tools/vnxpack/vnxpack.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "session/password_hash.h"
#include "session/session_format.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/session_fixture.h"
#include "tools/vnxpack/posix_pack_host.h"

namespace vnx {
namespace {

using test::Compressible;
using test::ReadBytes;
using test::WriteBytes;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome Vnxpack(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int code = VnxpackMain(arguments, PosixPackHost(), out, err);
  return {code, out.str(), err.str()};
}

void SetModificationTime(const std::string& path, std::int64_t seconds, long nanoseconds) {
  timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), nanoseconds}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Every regular file below a directory: relative path → content and time.
std::map<std::string, std::pair<std::string, std::uint64_t>> Tree(const std::string& root) {
  std::map<std::string, std::pair<std::string, std::uint64_t>> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string path = entry.path().string();
    tree[path.substr(root.size() + 1)] = {ReadBytes(path), test::ModificationFileTime(path)};
  }
  return tree;
}

std::string Noise(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 23);
  return bytes;
}

class VnxpackTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(stub, std::string(4096, 'M')); }

  // A presentation folder with sub-folders, sizes around every limit and
  // times with sub-second parts.
  void MakeTree(const std::string& root) {
    std::filesystem::create_directories(root + "/media/clips");
    std::filesystem::create_directories(root + "/empty folder");
    const std::map<std::string, std::string> files = {
        {"show.exe", Noise(70000, 1)},
        {"engine.dll", Compressible(300000)},
        {"settings.ini", "[Settings]\r\nFullScreen=1\r\n"},
        {"media/music.mid", Compressible(108)},
        {"media/intro.dat", Compressible(109)},
        {"media/clips/nothing.txt", ""},
        {"media/clips/one", "1"},
        {"media/clips/big.bin", Compressible(200000, 'q') + Noise(5000, 7)},
    };
    std::int64_t second = 1'000'000'000;
    for (const auto& [name, content] : files) {
      WriteBytes(root + "/" + name, content);
      SetModificationTime(root + "/" + name, second++, 123456700);
    }
  }

  test::ScratchDir scratch;
  const std::string stub = scratch / "stub.exe";
  const std::string output = scratch / "show.exe";
};

TEST_F(VnxpackTest, EveryCommandExplainsItself) {
  for (const std::string command : {"build", "list", "extract", "verify", "hash-password"}) {
    const Outcome outcome = Vnxpack({command, "--help"});
    EXPECT_EQ(outcome.code, 0) << command;
    EXPECT_EQ(outcome.out.rfind("usage: vnxpack " + command, 0), 0u) << outcome.out;
  }
  EXPECT_EQ(Vnxpack({"--help"}).code, 0);
  EXPECT_EQ(Vnxpack({}).code, 2);
  EXPECT_EQ(Vnxpack({"pack"}).code, 2);
  EXPECT_EQ(Vnxpack({"list"}).code, 2);
  EXPECT_EQ(Vnxpack({"list", "a", "b"}).code, 2);
  EXPECT_EQ(Vnxpack({"extract", "a", "b", "--sesion", "x"}).err,
            "vnxpack extract: unknown option --sesion\nTry: vnxpack extract --help\n");
}

TEST_F(VnxpackTest, BuildThenExtractRoundTripsADirectoryWithTimes) {
  MakeTree(scratch / "presentation");
  const Outcome built = Vnxpack({"build", "-o", output, "--stub", stub, scratch / "presentation"});
  ASSERT_EQ(built.code, 0) << built.err;
  EXPECT_EQ(built.out, output + ": session \"Session1\" with 8 files, 575244 bytes\n");
  EXPECT_EQ(ReadBytes(output).substr(0, 4096), std::string(4096, 'M'));
  EXPECT_EQ(Vnxpack({"verify", output}).code, 0);

  const Outcome extracted = Vnxpack({"extract", output, scratch / "copy"});
  ASSERT_EQ(extracted.code, 0) << extracted.err;
  EXPECT_EQ(Tree(scratch / "copy"), Tree(scratch / "presentation"));
  EXPECT_FALSE(test::Exists(output + ".vnxpack-tmp"));
}

TEST_F(VnxpackTest, ListShowsSessionsFilesAndPlacements) {
  WriteBytes(scratch / "a.txt", "alpha");
  WriteBytes(scratch / "PVIEW.EXE", Compressible(500));
  WriteBytes(scratch / "x=y.txt", "equals");
  SetModificationTime(scratch / "a.txt", 981173106, 0);  // 2001-02-03 04:05:06 UTC
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--stub", stub, "--version", "Test writer 2", scratch / "a.txt=sub/dir",
                     scratch / "PVIEW.EXE=PTOOL.SATELLITE:PVIEW.EXE", scratch / "x=y.txt=a=b"})
                .code,
            0);
  const Outcome listed = Vnxpack({"list", output});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_NE(listed.out.find("session \"Session1\"  version \"Test writer 2\"  3 files, 511 bytes\n"), std::string::npos)
      << listed.out;
  EXPECT_NE(
      listed.out.find("  a.txt                    \"sub\\dir\"                 5          5  2001-02-03 04:05:06\n"),
      std::string::npos)
      << listed.out;
  EXPECT_NE(listed.out.find("\"PTOOL.SATELLITE:PVIEW.EXE\""), std::string::npos);

  // Extraction puts a subdirectory placement below the target directory, a
  // tool tag into the target directory itself.
  ASSERT_EQ(Vnxpack({"extract", output, scratch / "x"}).code, 0);
  EXPECT_EQ(ReadBytes(scratch / "x/sub/dir/a.txt"), "alpha");
  EXPECT_EQ(ReadBytes(scratch / "x/PVIEW.EXE"), Compressible(500));
  EXPECT_EQ(ReadBytes(scratch / "x/a=b/x=y.txt"), "equals");  // a name with "=" and its placement
}

TEST_F(VnxpackTest, AppendChainsSessionsAndEachIsFoundByName) {
  WriteBytes(scratch / "one.txt", "first session");
  WriteBytes(scratch / "two.txt", "second session");
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--stub", stub, scratch / "one.txt"}).code, 0);
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--append", "--session", "Two", scratch / "two.txt"}).code, 0);
  const std::string again = scratch / "again.exe";
  ASSERT_EQ(
      Vnxpack({"build", "-o", again, "--stub", output, "--append", "--session", "Three", scratch / "one.txt"}).code, 0);

  const Outcome listed = Vnxpack({"list", again});
  const std::size_t first = listed.out.find("session \"Session1\"");
  const std::size_t second = listed.out.find("session \"Two\"");
  const std::size_t third = listed.out.find("session \"Three\"");
  EXPECT_TRUE(first < second && second < third) << listed.out;
  EXPECT_NE(Vnxpack({"verify", again}).out.find("3 sessions, 3 files"), std::string::npos);

  ASSERT_EQ(Vnxpack({"extract", again, scratch / "a", "--session", "Two"}).code, 0);
  EXPECT_EQ(ReadBytes(scratch / "a/two.txt"), "second session");
  ASSERT_EQ(Vnxpack({"extract", again, scratch / "b"}).code, 0);
  EXPECT_EQ(ReadBytes(scratch / "b/one.txt"), "first session");
  EXPECT_FALSE(test::Exists(scratch / "b/two.txt"));
}

TEST_F(VnxpackTest, RefusedBuildsLeaveNothingBehind) {
  WriteBytes(scratch / "a.txt", "a");
  std::filesystem::create_directories(scratch / "other");
  WriteBytes(scratch / "other/a.txt", "another a");
  WriteBytes(scratch / "con.txt", "device name");
  WriteBytes(scratch / "carrier.exe", "");
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "carrier.exe", "--stub", stub, scratch / "a.txt"}).code, 0);
  WriteBytes(scratch / "signed.exe", ReadBytes(scratch / "carrier.exe") + "certificate table");
  WriteBytes(output, "the previous build");
  const std::string a = scratch / "a.txt";

  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int code;
    std::string message;
  } const cases[] = {
      {"name of 64 characters",
       {"--session", std::string(64, 'n'), a},
       1,
       "session name \"" + std::string(64, 'n') + "\" has 64 characters or more\n"},
      {"version of 64 characters",
       {"--version", std::string(64, 'v'), a},
       1,
       "version text is longer than 63 characters\n"},
      {"placement leaving the target",
       {a + "=..\\up"},
       1,
       "placement \"..\\up\" of " + a + " leaves the target directory\n"},
      {"absolute placement", {a + "=/etc"}, 1, "placement \"/etc\" of " + a + " leaves the target directory\n"},
      {"missing entry", {scratch / "nope.txt"}, 1, "no such file or directory: " + scratch / "nope.txt" + "\n"},
      {"same name twice", {a, scratch / "other/a.txt"}, 1, "two files would be extracted as a.txt\n"},
      {"device name", {scratch / "con.txt"}, 1, "cannot store \"con.txt\": not a plain file name Windows can write\n"},
      {"stub carrying a session",
       {"--stub", scratch / "carrier.exe", a},
       1,
       scratch / "carrier.exe" + " carries sessions already; add one with --append\n"},
      {"append behind trailing bytes",
       {"--stub", scratch / "signed.exe", "--append", a},
       1,
       scratch / "signed.exe" + " does not end with a session (bytes behind the last one cannot be appended to)\n"},
      {"file that grows while packed", {"/proc/self/status"}, 1, "status changed while it was packed\n"},
      {"no entries", {}, 2, "vnxpack build: missing arguments\nTry: vnxpack build --help\n"},
      // The author's look: the author's inputs are named first, then the stub.
      {"icon that is no icon", {"--icon", a, a}, 1, a + ": not an icon file: it is shorter than an icon header\n"},
      {"missing icon", {"--icon", scratch / "nope.ico", a}, 1, "cannot read " + scratch / "nope.ico" + "\n"},
      {"file version of three numbers",
       {"--file-version", "1.2.3", a},
       1,
       "the file version \"1.2.3\" is not four numbers A.B.C.D of 0 to 65535\n"},
      {"title that is not UTF-8", {"--title", "\xFF", a}, 1, "the title is not valid UTF-8\n"},
      {"branding what is no program",
       {"--title", "Show", a},
       1,
       stub + ": the stub is not a program image: it does not start with \"MZ\"\n"},
      {"branding with --append",
       {"--stub", scratch / "carrier.exe", "--append", "--company", "Me", a},
       2,
       "vnxpack build: the icon and version options brand the stub; they cannot be given with --append\n"
       "Try: vnxpack build --help\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"build", "-o", output};
    if (std::find(c.arguments.begin(), c.arguments.end(), "--stub") == c.arguments.end())
      arguments.insert(arguments.end(), {"--stub", stub});
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const Outcome outcome = Vnxpack(arguments);
    EXPECT_EQ(outcome.code, c.code) << c.name;
    EXPECT_EQ(outcome.err, c.message) << c.name;
    EXPECT_EQ(ReadBytes(output), "the previous build") << c.name;
    EXPECT_FALSE(test::Exists(output + ".vnxpack-tmp")) << c.name;
  }
}

// The release package puts runner.exe beside vnxpack; the tests' folder has
// none, so a build without --stub has nothing to copy.
TEST_F(VnxpackTest, WithoutAStubTheRunnerBesideTheToolIsTaken) {
  WriteBytes(scratch / "a.txt", "a");
  const Outcome outcome = Vnxpack({"build", "-o", output, scratch / "a.txt"});
  EXPECT_EQ(outcome.code, 2);
  EXPECT_EQ(outcome.err,
            "vnxpack build: --stub is needed unless --append is given or runner.exe lies beside vnxpack\n"
            "Try: vnxpack build --help\n");
  EXPECT_FALSE(test::Exists(output));
}

TEST_F(VnxpackTest, VerifyCatchesAFlippedByteInAnyCompressedStream) {
  WriteBytes(scratch / "a.bin", Compressible(5000, 'a'));
  WriteBytes(scratch / "b.bin", Noise(3000, 3));
  WriteBytes(scratch / "c.bin", Compressible(150000, 'c'));
  ASSERT_EQ(
      Vnxpack({"build", "-o", output, "--stub", stub, scratch / "a.bin", scratch / "b.bin", scratch / "c.bin"}).code,
      0);
  const std::string intact = ReadBytes(output);
  for (int index = 0; index < 3; ++index) {
    const std::size_t header = test::HeaderOffset(intact, 4096, index);
    const FileRecordHeader facts = ParseHeader(reinterpret_cast<const std::uint8_t*>(intact.data() + header));
    const std::string name = facts.FileName;
    // Every byte of the stream, header and check value included.
    for (std::int32_t at = 0; at < facts.StoredSize; at += index == 0 ? 1 : 97) {
      std::string damaged = intact;
      damaged[header + kHeaderSize + static_cast<std::size_t>(at)] ^= static_cast<char>(0xFF);
      WriteBytes(output, damaged);
      const Outcome outcome = Vnxpack({"verify", output});
      EXPECT_EQ(outcome.code, 1) << name << " byte " << at;
      EXPECT_EQ(outcome.err.rfind("session \"Session1\": " + name + ": data at offset", 0), 0u) << outcome.err;
    }
  }
  // Headers and the trailer are checked too.
  for (const std::size_t at : {std::size_t{4096 + 10}, intact.size() - 100}) {
    std::string damaged = intact;
    damaged[at] ^= 1;
    WriteBytes(output, damaged);
    EXPECT_EQ(Vnxpack({"verify", output}).code, 1) << at;
  }
  WriteBytes(output, intact);
  EXPECT_EQ(Vnxpack({"verify", output}).code, 0);
}

TEST_F(VnxpackTest, ExtractReportsTheReadersMessage) {
  const Outcome outcome = Vnxpack({"extract", stub, scratch / "x"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "Session not found on extract from " + stub + "\n");
  WriteBytes(scratch / "a.txt", "a");
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--stub", stub, scratch / "a.txt"}).code, 0);
  EXPECT_EQ(Vnxpack({"extract", output, scratch / "x", "--session", std::string(64, 's')}).err,
            "Session name too long\n");
}

TEST_F(VnxpackTest, HashPasswordPrintsTheHashInDecimal) {
  EXPECT_EQ(Vnxpack({"hash-password", "secret"}).out, "226617842\n");
  EXPECT_EQ(Vnxpack({"hash-password", "  secret\t"}).out, "226617842\n");
  EXPECT_EQ(Vnxpack({"hash-password", "\001CanCel\016"}).out, std::to_string(PasswordHash("CanCel")) + "\n");
  EXPECT_EQ(Vnxpack({"hash-password", "--", "-x"}).out, std::to_string(PasswordHash("-x")) + "\n");
  EXPECT_EQ(Vnxpack({"hash-password", ""}).out, "323923496\n");
  EXPECT_EQ(Vnxpack({"hash-password"}).code, 2);
}

TEST_F(VnxpackTest, SettingsReadsTheFileTheRunnerReads) {
  std::filesystem::create_directories(scratch / "show");
  WriteBytes(scratch / "show/a.ini", "[Settings]\r\nWidth=111\r\n");
  WriteBytes(scratch / "show/b.ini", "[settings]\r\nWidth=0x320\r\nInteraction=2\r\nMidi=0\r\nMidiLoopTimes=0\r\n");
  WriteBytes(scratch / "show/viewer.ptools.ini", "[VIEWER]\r\n[Settings]\r\nWidth=1\r\n");
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--stub", stub, scratch / "show"}).code, 0);
  const Outcome shown = Vnxpack({"settings", output});
  ASSERT_EQ(shown.code, 0) << shown.err;
  // The last settings file of the session counts; a tool's never does.
  EXPECT_NE(shown.out.find("\"Width\": 800,"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("\"Pellam Screen Name\": \"show\","), std::string::npos);
  EXPECT_NE(shown.out.find("\"MidiLoopTimes\": 0,"), std::string::npos);
  // Left to a viewer with no stored choice: the mouse ends the show.
  EXPECT_NE(shown.out.find("\"Interaction\": {\"UserChoice\": true, \"ChoiceEnabled\": true, \"Value\": false}"),
            std::string::npos)
      << shown.out;
  EXPECT_NE(shown.out.find("\"Midi\": {\"UserChoice\": false, \"ChoiceEnabled\": true, \"Value\": false}"),
            std::string::npos);
}

TEST_F(VnxpackTest, SettingsWithoutASettingsFileShowTheStartingValues) {
  WriteBytes(scratch / "a.txt", "a");
  ASSERT_EQ(Vnxpack({"build", "-o", output, "--stub", stub, scratch / "a.txt"}).code, 0);
  const Outcome shown = Vnxpack({"settings", output});
  ASSERT_EQ(shown.code, 0) << shown.err;
  EXPECT_NE(shown.out.find("\"Pellam Screen Name\": \"\","), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("\"CloseMenu\": false,"), std::string::npos);
  EXPECT_NE(shown.out.find("\"PWEditLabel\": \"\","), std::string::npos);
  EXPECT_EQ(Vnxpack({"settings", stub}).err, "Session not found on extract from " + stub + "\n");
}

}  // namespace
}  // namespace vnx

#endif

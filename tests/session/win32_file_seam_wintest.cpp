// The session reader's Win32 file layer: sharing, exclusive writing, the
// last-write time alone, and a whole extraction through it.

#include "session/win32_file_seam.h"

#include <gtest/gtest.h>

#include "common/handle.h"
#include "session/zef_exe_appender.h"
#include "tests/support/file_times.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/session_fixture.h"

namespace vnx {
namespace {

using test::Compressible;
using test::MemoryFile;

HANDLE Open(const std::string& path, DWORD access, DWORD share) {
  return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Win32FileSeam, DestinationFilesAreReplacedAndHeldExclusively) {
  test::ScratchDirectory scratch("seam");
  const std::string path = scratch / "file.bin";
  test::WriteFileText(path, "an older, longer content");
  {
    const auto target = Win32Files().Create(path);
    SetLastError(0);
    UniqueFileHandle reader(Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
    EXPECT_FALSE(reader);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_THROW(Win32Files().Create(path), EFCreateError);
    target->Write("new", 3);
  }
  EXPECT_EQ(test::ReadFileText(path).value_or(""), "new");
}

TEST(Win32FileSeam, TheSourceLetsOthersReadAndWrite) {
  test::ScratchDirectory scratch("seam");
  const std::string path = scratch / "show.exe";
  test::WriteFileText(path, "0123456789");
  const auto source = Win32Files().OpenRead(path);
  UniqueFileHandle writer(Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_TRUE(writer);
  const auto second = Win32Files().OpenRead(path);
  UniqueFileHandle exclusive(Open(path, GENERIC_READ, 0));
  EXPECT_FALSE(exclusive);  // the source is really open

  EXPECT_EQ(source->Size(), 10);
  char bytes[8] = {};
  source->Seek(6);
  EXPECT_EQ(source->Read(bytes, 8), 4u);  // fewer only at the end
  EXPECT_EQ(std::string(bytes, 4), "6789");
}

TEST(Win32FileSeam, OnlyTheLastWriteTimeIsSet) {
  test::ScratchDirectory scratch("seam");
  const std::string path = scratch / "dated.txt";
  {
    const auto target = Win32Files().Create(path);
    target->Write("x", 1);
    target->SetLastWriteTime(test::kSomeFileTime);
  }
  const test::FileTimes times = test::FileTimesOf(path);
  EXPECT_EQ(times.LastWrite, test::kSomeFileTime);
  // The last access stays at the moment of writing, not 2001. (Wine derives
  // the creation time from the Linux file times, so only Windows itself can
  // show that it stays too.)
  EXPECT_GT(times.LastAccess, test::kSomeFileTime + 10'000'000ull * 3600 * 24 * 365);
}

TEST(Win32FileSeam, FailuresCarryTheirPaths) {
  test::ScratchDirectory scratch("seam");
  const std::string missing = scratch / "missing\\file.txt";
  try {
    Win32Files().OpenRead(missing);
    ADD_FAILURE();
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.what(), "Cannot open file " + missing);
  }
  try {
    Win32Files().Create(missing);
    ADD_FAILURE();
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.what(), "Cannot create file " + missing);
  }
  EXPECT_THROW(Win32Files().OpenRead(scratch.Path()), EFOpenError);  // a directory
}

TEST(Win32FileSeam, ExtractionThroughTheOwnExecutable) {
  test::ScratchDirectory scratch("seam");
  const std::string exe = scratch / "show.exe";
  const std::string big = Compressible(150000);
  test::WriteFileText(exe, test::Packed(std::string(2000, 'M'),
                                        {test::Session({MemoryFile("settings.ini", "[Settings]"),
                                                        MemoryFile("movie.dat", big, "", test::kSomeFileTime + 5)})}) +
                               std::string(3000, '\0'));  // a certificate table behind the session
  CreateDirectoryA((scratch / "out").c_str(), nullptr);

  // Another running copy holds the executable open meanwhile.
  UniqueFileHandle otherCopy(Open(exe, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
  TZefExeAppender reader(Win32Files(), ExecutableAt(Win32Files(), [&] { return exe; }));
  reader.TargetDir = scratch / "out\\";
  ASSERT_NO_THROW(reader.Extract("Session1"));
  EXPECT_EQ(test::ReadFileText(scratch / "out\\settings.ini").value_or(""), "[Settings]");
  EXPECT_EQ(test::ReadFileText(scratch / "out\\movie.dat").value_or(""), big);
  EXPECT_EQ(test::FileTimesOf(scratch / "out\\movie.dat").LastWrite, test::kSomeFileTime + 5);

  // A file that fails halfway is deleted; the one before it stays.
  std::string damaged = test::ReadFileText(exe).value_or("");
  const std::size_t header = test::HeaderOffset(damaged, 2000, 1);
  test::PatchHeader(damaged, header, [](FileRecordHeader& h) { h.FileSize += 1; });
  otherCopy.reset();
  test::WriteFileText(exe, damaged);
  DeleteFileA((scratch / "out\\movie.dat").c_str());
  try {
    reader.Extract("Session1");
    ADD_FAILURE();
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
  EXPECT_FALSE(test::FileExists(scratch / "out\\movie.dat"));
  EXPECT_TRUE(test::FileExists(scratch / "out\\settings.ini"));
}

}  // namespace
}  // namespace vnx

// The file-system helpers on the real file system, with files held open by
// another process. That process is this test program started again with
// "--vnx-hold-file PATH EVENT": it opens PATH, signals EVENT.ready and keeps
// the file open until EVENT.release is signalled.

#include "session/file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/handle.h"
#include "common/text.h"
#include "runner/program_identity.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {
namespace {

constexpr char kHoldArgument[] = "--vnx-hold-file";

// Runs before the tests when the program was started as a holder.
const bool kHolderRan = [] {
  const auto arguments = SplitCommandLine(GetCommandLineA());
  if (arguments.size() < 4 || arguments[1] != kHoldArgument) return false;
  const UniqueFileHandle file(CreateFileA(arguments[2].c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const UniqueKernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, (arguments[3] + ".ready").c_str()));
  const UniqueKernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, (arguments[3] + ".release").c_str()));
  if (!file || !ready || !release) ExitProcess(2);
  SetEvent(ready.get());
  WaitForSingleObject(release.get(), 60000);
  ExitProcess(0);
}();

// Another process that holds a file open for as long as this object lives.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path) {
    static int counter = 0;
    const std::string events = "VnxHold_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    ready_.reset(CreateEventA(nullptr, TRUE, FALSE, (events + ".ready").c_str()));
    release_.reset(CreateEventA(nullptr, TRUE, FALSE, (events + ".release").c_str()));
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = "\"" + std::string(program) + "\" " + kHoldArgument + " \"" + path + "\" " + events;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      throw std::runtime_error("cannot start the holder");
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    const HANDLE waits[] = {ready_.get(), process_.get()};
    if (WaitForMultipleObjects(2, waits, FALSE, 30000) != WAIT_OBJECT_0)
      throw std::runtime_error("the holder did not open " + path);
  }
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  void Release() {
    if (!process_) return;
    SetEvent(release_.get());
    WaitForSingleObject(process_.get(), 30000);
    process_.reset();
  }

 private:
  UniqueKernelHandle ready_, release_, process_;
};

TEST(TreeNotInUse, AFileHeldByAnotherProcessTwoLevelsDownStopsTheWalk) {
  ScratchDirectory dir("tree");
  CreateDirectoryTree(dir / "a\\b");
  CreateDirectoryA((dir / "c").c_str(), nullptr);
  for (const char* name : {"top.txt", "a\\one.txt", "a\\b\\held.dat", "a\\b\\free.dat", "c\\other.txt"})
    WriteFileText(dir / name, "x");
  EXPECT_TRUE(TreeNotInUse(dir.Path()));

  HeldFile held(dir / "a\\b\\held.dat");
  EXPECT_FALSE(CanOpenExclusively(dir / "a\\b\\held.dat"));
  EXPECT_TRUE(CanOpenExclusively(dir / "a\\b\\free.dat"));
  EXPECT_FALSE(TreeNotInUse(dir.Path()));
  EXPECT_FALSE(TreeNotInUse(dir / "*.*"));
  EXPECT_FALSE(TreeNotInUse(dir / "a"));
  EXPECT_TRUE(TreeNotInUse(dir / "c"));

  held.Release();
  EXPECT_TRUE(TreeNotInUse(dir.Path()));
}

TEST(TreeNotInUse, EntriesWhoseNamesBeginWithADotAreNeverTested) {
  ScratchDirectory dir("dots");
  CreateDirectoryTree(dir / "a\\.cache");
  WriteFileText(dir / "a\\.lock", "x");
  WriteFileText(dir / "a\\.cache\\inner.dat", "x");
  HeldFile lock(dir / "a\\.lock");
  HeldFile inner(dir / "a\\.cache\\inner.dat");
  EXPECT_TRUE(TreeNotInUse(dir.Path()));
}

TEST(TreeNotInUse, APathThatDoesNotExistIsNotInUse) {
  ScratchDirectory dir("missing");
  EXPECT_TRUE(TreeNotInUse(dir / "nothing"));
  EXPECT_TRUE(TreeNotInUse(dir / "nothing\\*.*"));
  EXPECT_TRUE(TreeNotInUse(dir.Path()));  // empty
}

TEST(CanOpenExclusively, AnyOtherHandleOrAMissingFileFails) {
  ScratchDirectory dir("exclusive");
  WriteFileText(dir / "f.txt", "x");
  EXPECT_TRUE(CanOpenExclusively(dir / "f.txt"));
  {
    const UniqueFileHandle reader(CreateFileA((dir / "f.txt").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(CanOpenExclusively(dir / "f.txt"));
  }
  EXPECT_TRUE(CanOpenExclusively(dir / "f.txt"));
  EXPECT_FALSE(CanOpenExclusively(dir / "none.txt"));
}

TEST(CreateDirectoryTree, CreatesEveryMissingLevel) {
  ScratchDirectory dir("deep");
  const std::string deep = dir / "a\\b\\c\\d\\e\\f\\g\\h\\";
  CreateDirectoryTree(deep);
  EXPECT_TRUE(IsDirectory(deep));
  EXPECT_TRUE(IsDirectory(dir / "a\\b\\c\\d\\e\\f\\g\\h"));
  CreateDirectoryTree(deep);  // all there: nothing happens
  EXPECT_TRUE(IsDirectory(deep));
  EXPECT_EQ(TreeEntries(dir.Path()).size(), 8u);

  // Below a file nothing can be created, and nothing is reported.
  WriteFileText(dir / "file", "x");
  CreateDirectoryTree(dir / "file\\sub\\deeper");
  EXPECT_FALSE(IsDirectory(dir / "file\\sub"));
  CreateDirectoryTree("C:");
  CreateDirectoryTree("");
}

TEST(FileHelpers, DirectoriesAndTrailingBackslashes) {
  ScratchDirectory dir("helpers");
  WriteFileText(dir / "f", "x");
  EXPECT_TRUE(IsDirectory(dir.Path()));
  EXPECT_FALSE(IsDirectory(dir / "f"));
  EXPECT_FALSE(IsDirectory(dir / "none"));
  EXPECT_EQ(WithTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(FileHelpers, WholeFilesAreReadAndCompared) {
  ScratchDirectory dir("compare");
  const std::string bytes("MZ\0\x01\xFF tail", 9);
  WriteFileText(dir / "a", bytes);
  WriteFileText(dir / "same", bytes);
  WriteFileText(dir / "other", bytes + "!");
  WriteFileText(dir / "empty", "");
  EXPECT_EQ(ReadWholeFile(dir / "a"), bytes);
  EXPECT_EQ(ReadWholeFile(dir / "missing"), "");
  EXPECT_FALSE(TryReadWholeFile(dir / "missing").has_value());
  EXPECT_EQ(TryReadWholeFile(dir / "empty"), std::string());
  struct Case {
    const char *a, *b;
    bool same;
  } const cases[] = {
      {"a", "same", true},       {"a", "other", false},      {"a", "missing", false},
      {"missing", "gone", true}, {"missing", "empty", true}, {"empty", "empty", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFileContent(dir / c.a, dir / c.b), c.same) << c.a << " " << c.b;

  // Others may go on writing while the file is read.
  const UniqueFileHandle writer(CreateFileA((dir / "a").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(ReadWholeFile(dir / "a"), bytes);
}

// Runners that end together queue their leftovers at the same moment; the
// system keeps the queue in one registry value, so unguarded callers lose
// each other's entries. Threads race here as runners do.
TEST(DeleteAtNextStart, CallersAtTheSameMomentLoseNoEntry) {
  ScratchDirectory scratch("delete-at-next-start");
  constexpr int kThreads = 6, kEach = 15;
  std::vector<std::string> paths;
  for (int i = 0; i < kThreads * kEach; ++i) {
    paths.push_back(scratch.File("file" + std::to_string(i) + ".dll"));
    scratch.Write("file" + std::to_string(i) + ".dll", "x");
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&paths, t] {
      for (int i = 0; i < kEach; ++i) DeleteAtNextStart(paths[static_cast<std::size_t>(t * kEach + i)]);
    });
  for (std::thread& thread : threads) thread.join();
  const std::string pending = PendingDeletions();
  int missing = 0;
  for (const std::string& path : paths) missing += pending.find(LowerAscii(path)) == std::string::npos;
  EXPECT_EQ(missing, 0);
}

}  // namespace
}  // namespace vnx::test

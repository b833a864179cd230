// vnxpack.exe's host: the same commands on Windows files and times.

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/session_fixture.h"
#include "tests/support/win_scratch_dir.h"
#include "tools/vnxpack/vnxpack.h"
#include "tools/vnxpack/win32_pack_host.h"

namespace vnx {
namespace {

int Vnxpack(const std::vector<std::string>& arguments, std::string* err = nullptr) {
  std::ostringstream out, errors;
  const int code = VnxpackMain(arguments, Win32PackHost(), out, errors);
  if (err) *err = errors.str();
  return code;
}

TEST(VnxpackOnWindows, BuildVerifyExtractRoundTrip) {
  test::WinScratchDir scratch;
  const std::string folder = scratch / "presentation";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\media").c_str(), nullptr);
  const std::string big = test::Compressible(100000);
  test::WriteWinFile(folder + "\\show.ini", "[Settings]");
  test::WriteWinFile(folder + "\\media\\clip.bin", big);
  test::SetWinLastWriteTime(folder + "\\show.ini", test::kSomeFileTime);
  test::SetWinLastWriteTime(folder + "\\media\\clip.bin", test::kSomeFileTime + 77);
  test::WriteWinFile(scratch / "stub.exe", std::string(512, 'M'));

  std::string err;
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", folder}, &err), 0) << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}, &err), 0) << err;
  ASSERT_EQ(Vnxpack({"extract", scratch / "show.exe", scratch / "copy"}, &err), 0) << err;

  EXPECT_EQ(test::ReadWinFile(scratch / "copy\\show.ini"), "[Settings]");
  EXPECT_EQ(test::ReadWinFile(scratch / "copy\\media\\clip.bin"), big);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\show.ini").LastWrite, test::kSomeFileTime);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\media\\clip.bin").LastWrite, test::kSomeFileTime + 77);
  EXPECT_FALSE(test::WinFileExists(scratch / "show.exe.vnxpack-tmp"));

  // A rebuild replaces the output in place.
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe",
                     folder + "\\show.ini=PTOOL.X"}, &err), 0) << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}), 0);
}

}  // namespace
}  // namespace vnx

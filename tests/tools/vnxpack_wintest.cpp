// vnxpack.exe's host: the same commands on Windows files and times.

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/file_times.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/session_fixture.h"
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
  test::ScratchDirectory scratch("seam");
  const std::string folder = scratch / "presentation";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\media").c_str(), nullptr);
  const std::string big = test::Compressible(100000);
  test::WriteFileText(folder + "\\show.ini", "[Settings]");
  test::WriteFileText(folder + "\\media\\clip.bin", big);
  test::SetLastWriteTime(folder + "\\show.ini", test::kSomeFileTime);
  test::SetLastWriteTime(folder + "\\media\\clip.bin", test::kSomeFileTime + 77);
  test::WriteFileText(scratch / "stub.exe", std::string(512, 'M'));

  std::string err;
  ASSERT_EQ(Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", folder}, &err), 0) << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}, &err), 0) << err;
  ASSERT_EQ(Vnxpack({"extract", scratch / "show.exe", scratch / "copy"}, &err), 0) << err;

  EXPECT_EQ(test::ReadFileText(scratch / "copy\\show.ini").value_or(""), "[Settings]");
  EXPECT_EQ(test::ReadFileText(scratch / "copy\\media\\clip.bin").value_or(""), big);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\show.ini").LastWrite, test::kSomeFileTime);
  EXPECT_EQ(test::FileTimesOf(scratch / "copy\\media\\clip.bin").LastWrite, test::kSomeFileTime + 77);
  EXPECT_FALSE(test::FileExists(scratch / "show.exe.vnxpack-tmp"));

  // A rebuild replaces the output in place.
  ASSERT_EQ(
      Vnxpack({"build", "-o", scratch / "show.exe", "--stub", scratch / "stub.exe", folder + "\\show.ini=PTOOL.X"},
              &err),
      0)
      << err;
  EXPECT_EQ(Vnxpack({"verify", scratch / "show.exe"}), 0);
}

}  // namespace
}  // namespace vnx

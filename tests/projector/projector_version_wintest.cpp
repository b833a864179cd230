// The two builds of the stand-in projector carry product versions 5.0 and
// 6.0, read the way the runner decides whether the projector is version 6.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

TEST(ProjectorVersion, ProductVersionOfEachBuild) {
  struct Case {
    const char* program;
    DWORD productVersionMS;
    bool version6;
    const char* text;
  } const cases[] = {
      {"projector5.exe", 0x00050000, false, "5.0"},
      {"projector6.exe", 0x00060000, true, "6.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    const std::string path = BuiltProgram(c.program);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwProductVersionMS, c.productVersionMS);
    EXPECT_EQ(fixed->dwProductVersionMS >= 0x00060000, c.version6);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, c.text);
  }
}

}  // namespace
}  // namespace vnx::test

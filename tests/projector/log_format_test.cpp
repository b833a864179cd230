// The projector's event log: one event a line, values byte for byte.

#include "projector/log_format.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(ProjectorLog, LinesRoundTrip) {
  const std::string text = LogLine("env:VornexLocalDir_RootDir", "C:\\Temp\\Vnx_Rt\\") +
                           LogLine("slide-title", "  two\r\nlines = one ") + LogLine("parent", "0") +
                           LogLine("parent", "65624") + LogLine("env:EMPTY", "");
  EXPECT_EQ(LogLine("close", "WM_CLOSE"), "close=WM_CLOSE\r\n");
  const auto log = ParseLog(text);
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(LastLogValue(log, "env:VornexLocalDir_RootDir"), "C:\\Temp\\Vnx_Rt\\");
  EXPECT_EQ(LastLogValue(log, "slide-title"), "  two  lines = one ");
  EXPECT_EQ(LastLogValue(log, "parent"), "65624");
  EXPECT_EQ(LogValues(log, "parent"), (std::vector<std::string>{"0", "65624"}));
  EXPECT_EQ(LastLogValue(log, "env:EMPTY"), "");
  EXPECT_EQ(LastLogValue(log, "env"), std::nullopt);
  EXPECT_TRUE(LogValues(log, "close").empty());
}

TEST(ProjectorLog, ToleratesLineEndsAndStrayLines) {
  const auto log = ParseLog("a=1\nnot an event\r\nb=2\r\n\r\nc=3");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Key, "a");
  EXPECT_EQ(log[1].Value, "2");
  EXPECT_EQ(log[2].Value, "3");
}

}  // namespace
}  // namespace vnx
